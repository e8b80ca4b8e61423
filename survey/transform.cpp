#include "survey/transform.h"

#include <cmath>

#include "survey/arith.h"

namespace survey {

namespace {

double direction(Point from, Point to, double degConst) { return directionAngle(from.x, from.y, to.x, to.y, degConst); }

}  // namespace

Point transformPoint(const BaseLine& first, const BaseLine& second, Point p, double degConst) {
    const double dir1 = direction(first.base, first.backsight, degConst);
    const double dir2 = direction(second.base, second.backsight, degConst);
    const double dir3 = direction(first.base, p, degConst);
    const double distance = pointDistance(first.base.x, first.base.y, p.x, p.y);

    const double theta = dir1 <= dir3 ? dir3 - dir1 : 360.0 - (dir1 - dir3);
    double t = dir2 + theta;
    if (t > 360.0) t -= 360.0;

    const Point q = polarPoint(second.base, t / degConst, distance);
    return {roundHalfEven(q.x, 4), roundHalfEven(q.y, 4)};
}

Record transformRecord(const TransformInput& in, Point converted) {
    const auto& t = in.typed;
    Record record;
    record.separator()
        .add(Line().pair("基準　X", t.baseX, "基準　Y", t.baseY))
        .add(Line().pair("後視　X", t.backsightX, "後視　Y", t.backsightY))
        .add(Line().pair("基準’X", t.baseX2, "基準’Y", t.baseY2))
        .add(Line().pair("後視’X", t.backsightX2, "後視’Y", t.backsightY2))
        .add(Line().pair("DA-X", t.x, "DA-Y", t.y))
        .add(Line().entry("変換後 X", converted.x).gap().text("変換後 Y").number(converted.y))
        .separator();
    return record;
}

}  // namespace survey
