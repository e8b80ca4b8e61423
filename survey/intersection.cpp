#include "survey/intersection.h"

#include <cmath>

#include "survey/arith.h"

namespace survey {

namespace {

// A direction turned clockwise by `by` degrees, brought below 360 by one
// subtraction only (angles typed beyond 360 are not reduced further).
double turned(double from, double by) {
    const double d = from + by;
    return d >= 360.0 ? d - 360.0 : d;
}

}  // namespace

std::optional<Intersection> intersectLines(Point a, double angleA, Point b, double angleB, LineAngles kind,
                                           double degConst) {
    double degreesA = packedToDegrees(angleA);
    double degreesB = packedToDegrees(angleB);
    if (kind == LineAngles::Included) {
        const double t = directionAngle(a.x, a.y, b.x, b.y, degConst);
        degreesA = turned(t, degreesA);
        degreesB = turned(turned(t, 180.0), degreesB);
    }
    const double alphaA = degreesA / degConst;
    const double alphaB = degreesB / degConst;

    const double s = std::sin(alphaA - alphaB);
    if (!(std::fabs(s) >= kParallelSine)) return std::nullopt;  // parallel, or NaN
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double la = (dy * std::cos(alphaB) - dx * std::sin(alphaB)) / s;
    const double lb = (dy * std::cos(alphaA) - dx * std::sin(alphaA)) / s;

    const Point fromA = polarPoint(a, alphaA, la);
    const Point fromB = polarPoint(b, alphaB, lb);
    const Point p{(fromA.x + fromB.x) / 2.0, (fromA.y + fromB.y) / 2.0};
    const double ap = std::sqrt((p.x - a.x) * (p.x - a.x) + (p.y - a.y) * (p.y - a.y));
    const double bp = std::sqrt((p.x - b.x) * (p.x - b.x) + (p.y - b.y) * (p.y - b.y));

    const Intersection out{{roundHalfEven(p.x, 4), roundHalfEven(p.y, 4)}, roundHalfEven(ap, 4), roundHalfEven(bp, 4)};
    if (!std::isfinite(out.p.x) || !std::isfinite(out.p.y) || !std::isfinite(out.ap) || !std::isfinite(out.bp))
        return std::nullopt;
    return out;
}

Record intersectionRecord(const IntersectionInput& in, const Intersection& found) {
    const bool direction = in.kind == LineAngles::Direction;
    Record record;
    record.separator()
        .add(Line().text(direction ? "---交点　方向角計算---" : "---交点　夾角計算---"))
        .add(Line().pair("基点A-X", in.typed.ax, "基点A-Y", in.typed.ay).gap().entry("A 角度", in.typed.angleA))
        .add(Line().pair("基点B-X", in.typed.bx, "基点B-Y", in.typed.by).gap().entry("B 角度", in.typed.angleB))
        .add(Line().pair("求点 X", found.p.x, "AP距離", found.ap).text("m"))
        .add(Line().pair("求点 Y", found.p.y, "BP距離", found.bp).text("m"))
        .separator();
    return record;
}

}  // namespace survey
