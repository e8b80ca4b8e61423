#include "survey/traverse.h"

#include <cmath>
#include <string_view>

namespace survey {
namespace {

// W brought into (-180, 180] by whole turns. fmod is exact, as each single
// subtraction of 360 would be.
double reduceClosure(double w) {
    w = std::fmod(w, 360.0);
    if (w > 180.0) w -= 360.0;
    if (w <= -180.0) w += 360.0;
    return w;
}

// Seconds of arc allowed per √n for each class of survey.
double toleranceFactor(double surveyClass) {
    if (surveyClass == 1.0) return 8.0;
    if (surveyClass == 2.0) return 10.0;
    if (surveyClass == 3.0) return 20.0;
    if (surveyClass == 4.0) return 50.0;
    return 0.0;
}

bool isZero(const Dms& dms) { return dms.d == 0 && dms.m == 0 && dms.s == 0; }

bool finiteSlot(const TraverseSlot& s) {
    for (double v :
         {s.adjustedAngle, s.direction, s.dX, s.dY, s.x, s.y, s.adjustedDX, s.adjustedDY, s.adjustedX, s.adjustedY})
        if (!std::isfinite(v)) return false;
    return true;
}

bool finiteTraverse(const Traverse& t) {
    for (double v : {t.closure, t.closureX, t.closureY, t.closureDistance, t.length})
        if (!std::isfinite(v)) return false;
    if (t.ratio && !std::isfinite(*t.ratio)) return false;
    for (const TraverseSlot& s : t.perStation)
        if (!finiteSlot(s)) return false;
    return true;
}

constexpr std::string_view kIndent = "         ";  // nine blanks

// " A → 1 :", " 1 → 2 :", " 2 → B :".
Line legLabel(std::size_t leg, std::size_t stations) {
    if (leg == 0) return Line().text(" A").text(" → ").text("1").text(" :");
    Line line;
    line.number(double(leg)).text("→");
    if (leg + 2 == stations) return line.text(" B").text(" :");
    return line.number(double(leg + 1)).text(":");
}

}  // namespace

std::optional<Traverse> adjustTraverse(const TraverseKnown& known, std::span<const Station> stations, double degConst) {
    const std::size_t n = stations.size();
    if (n < kMinStations) return std::nullopt;

    Traverse t;
    t.known = known;
    t.stations = n;
    t.perStation.resize(n);
    const double alpha = packedToDegrees(known.alphaPacked);
    const double beta = packedToDegrees(known.betaPacked);

    // Angle closure, shared out equally.
    for (const Station& s : stations) t.angleSum += s.angle;
    t.closure = reduceClosure(alpha - beta + t.angleSum - 180.0 * double(n - 1));
    t.correction = t.closure / double(n);
    t.closureSign = t.correction < 0 && !isZero(toDms(std::fabs(t.closure))) ? '-' : '+';

    // Directions, latitudes, departures and the unadjusted chain.
    double sumDX = 0, sumDY = 0;
    double x = known.xA, y = known.yA;
    for (std::size_t i = 0; i < n; ++i) {
        TraverseSlot& s = t.perStation[i];
        s.adjustedAngle = stations[i].angle - t.correction;
        if (i == 0) {
            s.direction = alpha + s.adjustedAngle;
            if (s.direction >= 360.0) s.direction -= 360.0;
        } else {
            s.direction = t.perStation[i - 1].direction + s.adjustedAngle - 180.0;
        }
        s.distance = stations[i].distance;
        const double radians = s.direction / degConst;
        s.dX = s.distance * std::cos(radians);
        s.dY = s.distance * std::sin(radians);
        x += s.dX;
        y += s.dY;
        s.x = x;
        s.y = y;
        sumDX += s.dX;
        sumDY += s.dY;
        t.length += s.distance;
    }

    // Coordinate closure at B, and the compass rule.
    const double fX = (known.xA + sumDX) - known.xB;
    const double fY = (known.yA + sumDY) - known.yB;
    if (t.length == 0.0) return std::nullopt;
    t.closureDistance = truncateTo(std::sqrt(fX * fX + fY * fY), 3);
    double adjustedX = known.xA, adjustedY = known.yA;
    for (TraverseSlot& s : t.perStation) {
        s.adjustedDX = s.dX + -(fX / t.length) * s.distance;
        s.adjustedDY = s.dY + -(fY / t.length) * s.distance;
        adjustedX += s.adjustedDX;
        adjustedY += s.adjustedDY;
        s.adjustedX = adjustedX;
        s.adjustedY = adjustedY;
    }
    if (t.closureDistance != 0.0) t.ratio = std::trunc(t.length / t.closureDistance);
    t.toleranceSeconds = toleranceFactor(known.surveyClass) * std::sqrt(double(n));

    // Rounded as the report writes them, now that every sum is formed.
    t.closureX = truncateTo(roundHalfEven(fX, 4), 3);
    t.closureY = truncateTo(roundHalfEven(fY, 4), 3);
    for (TraverseSlot& s : t.perStation) {
        for (double* v : {&s.dX, &s.dY, &s.x, &s.y, &s.adjustedDX, &s.adjustedDY, &s.adjustedX, &s.adjustedY})
            *v = roundHalfEven(*v, 3);
    }

    if (!finiteTraverse(t)) return std::nullopt;
    return t;
}

Record traverseReport(const Traverse& t) {
    const TraverseKnown& k = t.known;
    Record r;
    r.separator();
    r.add(Line().text("区分").number(k.surveyClass).text("級基準点測量"));
    r.add(Line().text("閉合差許容範囲").gap().dms(toDms(t.toleranceSeconds / 60.0 / 60.0)));
    const std::string_view sign(&t.closureSign, 1);
    r.add(Line().text("方向角閉合差").text("   ").text(sign).dms(toDms(std::fabs(t.closure))));
    r.add(Line().entry("基準A-X", k.xA));
    r.add(Line().entry("基準A-Y", k.yA));
    r.add(Line().entry("Tα", k.alphaTyped));
    r.add(Line().entry("基準B-X", k.xB));
    r.add(Line().entry("基準B-Y", k.yB));
    r.add(Line().entry("Tβ", k.betaPacked));
    r.add(Line());
    r.add(Line().pair("X 誤差", t.closureX, "Y 誤差", t.closureY));
    r.add(Line().entry("閉合誤差", t.closureDistance));
    Line ratio = Line().text("1").text(" :");
    if (t.ratio) ratio.number(*t.ratio);
    r.add(ratio);
    r.add(Line());

    // Angles are written reduced into 0 … 360 (toDms).
    for (std::size_t i = 0; i + 1 < t.stations; ++i) {
        const TraverseSlot& s = t.perStation[i];
        r.add(legLabel(i, t.stations).entry("調整交角", toDms(s.adjustedAngle)));
        r.add(Line().text(kIndent).entry("距　離", s.distance));
        r.add(Line().text(kIndent).entry("方向角", toDms(s.direction)));
        r.add(Line().text(kIndent).pair("緯　距", s.dX, "経　距", s.dY));
        r.add(Line().text(kIndent).pair("調緯距", s.adjustedDX, "調経距", s.adjustedDY));
        r.add(Line().text(kIndent).pair("X　座標", s.x, "Y　座標", s.y));
        r.add(Line().text(kIndent).pair("合緯距X", s.adjustedX, "合経距Y", s.adjustedY));
    }

    const TraverseSlot& b = t.perStation.back();
    r.add(Line().text(" B").text(" →").text(" D").text(" :").entry("調整交角", toDms(b.adjustedAngle)));
    r.add(Line().text(kIndent).entry("方向角", toDms(b.direction)));
    r.separator();
    return r;
}

}  // namespace survey
