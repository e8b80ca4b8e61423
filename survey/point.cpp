#include "survey/point.h"

#include <cmath>

#include "survey/arith.h"

namespace survey {

Point polarPoint(Point from, double alpha, double distance) {
    return {from.x + distance * std::cos(alpha), from.y + distance * std::sin(alpha)};
}

Leg chainLeg(Point from, double packedDirection, double distance, double degConst) {
    const Point p = polarPoint(from, packedToDegrees(packedDirection) / degConst, distance);
    return {p, {roundHalfEven(p.x, 3), roundHalfEven(p.y, 3)}};
}

Point singlePoint(Point from, double packedDirection, double distance, double degConst) {
    return chainLeg(from, packedDirection, distance, degConst).rounded;
}

Point radialPoint(Point station, const std::optional<Point>& backsight, double packedAngle, double distance,
                  double degConst) {
    double t = packedToDegrees(packedAngle) / degConst;
    if (backsight) t += directionAngle(station.x, station.y, backsight->x, backsight->y, degConst) / degConst;
    // Summed in this order: distance * cos(t) + x0, as the screen always did.
    const double x = distance * std::cos(t) + station.x;
    const double y = distance * std::sin(t) + station.y;
    return {roundHalfEven(x, 4), roundHalfEven(y, 4)};
}

Record chainRecord(const ChainInput& in, const Leg& leg) {
    Record record;
    record.separator()
        .add(Line().entry("基準 X", in.typed.x))
        .add(Line().entry("基準 Y", in.typed.y))
        .add(Line().entry("方向角", in.typed.direction))
        .add(Line().entry("距　離", in.typed.distance))
        .add(Line().entry("X座標", leg.rounded.x).gap().text("Y座標").number(leg.rounded.y))
        .separator();
    return record;
}

Record radialRecord(const RadialInput& in, Point p) {
    Record record;
    record.separator()
        .add(Line().text(in.backsight ? "--夾角計算--" : "--方向角計算--"))
        .add(Line().entry("基準 X", in.typed.stationX))
        .add(Line().entry("基準 Y", in.typed.stationY));
    if (in.backsight)
        record.add(Line().entry("後視 X", in.typed.backsightX)).add(Line().entry("後視 Y", in.typed.backsightY));
    record.add(Line().pair("角  度", in.typed.angle, "距　離", in.typed.distance).text("m"))
        .add(Line().pair("X 座標", p.x, "Y 座標", p.y))
        .separator();
    return record;
}

}  // namespace survey
