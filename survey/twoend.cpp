#include "survey/twoend.h"

#include <cmath>

#include "survey/arith.h"

namespace survey {

namespace {

// The walking directions of a line, in radians: from A towards B, and from
// B back towards A.
struct Directions {
    double forward;
    double back;
};

Directions directions(Point a, Point b, double degConst) {
    const double t = directionAngle(a.x, a.y, b.x, b.y, degConst);
    double back = t + 180.0;
    if (back > 360.0) back -= 360.0;
    return {t / degConst, back / degConst};
}

Point walk(Point a, Point b, const Directions& dir, double s, double r) {
    const Point fromA = polarPoint(a, dir.forward, s);
    const Point fromB = polarPoint(b, dir.back, r);
    return {truncateTo((fromA.x + fromB.x) / 2.0, 4), truncateTo((fromA.y + fromB.y) / 2.0, 4)};
}

bool finite(Point p) { return std::isfinite(p.x) && std::isfinite(p.y); }

Record& addBase(Record& record, const TypedBase& base) {
    return record.add(Line().entry("基準A-X", base.ax))
        .add(Line().entry("基準A-Y", base.ay))
        .add(Line().entry("基準B-X", base.bx))
        .add(Line().entry("基準B-Y", base.by));
}

Line coordinateLine(Point p) { return Line().pair("X 座標", p.x, "Y 座標", p.y); }

}  // namespace

double lineLength(Point a, Point b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    return std::sqrt(dx * dx + dy * dy);
}

Point twoEndPoint(Point a, Point b, double s, double r, double degConst) {
    return walk(a, b, directions(a, b, degConst), s, r);
}

Point midpoint(Point a, Point b, double degConst) {
    const double half = lineLength(a, b) / 2.0;
    return twoEndPoint(a, b, half, half, degConst);
}

bool offsetBeyondB(Point a, Point b, double offset) { return offset > lineLength(a, b); }

Point offsetPoint(Point a, Point b, double offset, double degConst) {
    return twoEndPoint(a, b, offset, lineLength(a, b) - offset, degConst);
}

std::optional<int> sectionCount(std::string_view text) {
    const std::optional<double> v = strictNumber(text);
    if (!v || *v != std::trunc(*v) || *v < kMinSections || *v > kMaxSections) return std::nullopt;
    return static_cast<int>(*v);
}

std::optional<Division> divide(Point a, Point b, int n, double degConst) {
    if (n < kMinSections || n > kMaxSections) return std::nullopt;
    Division division{lineLength(a, b), {}};
    const double length = division.length;
    const double section = length / n;
    const Directions dir = directions(a, b, degConst);
    division.points.reserve(static_cast<std::size_t>(n - 1));
    for (int k = 1; k < n; ++k) {
        const double s = k * section;
        const Point p = walk(a, b, dir, s, std::fabs(length - s));
        const double distance = truncateTo(s, 4);
        if (!finite(p) || !std::isfinite(distance)) return std::nullopt;
        division.points.push_back({distance, p});
    }
    return division;
}

Record midpointRecord(const TypedBase& base, Point m) {
    Record record;
    record.separator();
    addBase(record, base).add(coordinateLine(m)).separator();
    return record;
}

Record offsetRecord(const TypedBase& base, std::string_view offset, Point p) {
    Record record;
    record.separator().add(Line().entry("ｵﾌｾｯﾄ", offset).text("m"));
    addBase(record, base).add(coordinateLine(p)).separator();
    return record;
}

Record divisionRecord(const TypedBase& base, std::string_view count, std::span<const DivisionPoint> points) {
    Record record;
    record.separator().add(Line().entry("分割数", count));
    addBase(record, base).add(Line());
    double k = 1.0;  // the point's number, written as any other number
    for (const DivisionPoint& p : points) {
        record.add(Line()
                       .number(k)
                       .text(" 点目")
                       .text("   ")
                       .entry("距離", p.distance)
                       .text("   ")
                       .entry("X 座標", p.point.x)
                       .text("   ")
                       .entry("Y 座標", p.point.y));
        k += 1.0;
    }
    record.separator();
    return record;
}

}  // namespace survey
