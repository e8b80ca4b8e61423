#include "survey/inverse.h"

namespace survey {

InverseTraverse inverseTraverse(Point station, Point backsight, Point target, double degConst) {
    const double toBacksight = directionAngle(station.x, station.y, backsight.x, backsight.y, degConst);
    const double toTarget = directionAngle(station.x, station.y, target.x, target.y, degConst);
    const double angle = toBacksight > toTarget ? 360.0 - (toBacksight - toTarget) : toTarget - toBacksight;
    return {angle, toDms(angle), pointDistance(station.x, station.y, target.x, target.y)};
}

Record inverseRecord(const InverseInput& in, const InverseTraverse& result) {
    Record record;
    record.separator()
        .add(Line().entry("基準 X", in.typed.stationX))
        .add(Line().entry("基準 Y", in.typed.stationY))
        .add(Line().entry("後視 X", in.typed.backsightX))
        .add(Line().entry("後視 Y", in.typed.backsightY))
        .add(Line().entry("DATA X", in.typed.targetX))
        .add(Line().entry("DATA Y", in.typed.targetY))
        .add(Line().pair("角　度", result.dms, "距　離", result.distance).text("m"))
        .separator();
    return record;
}

}  // namespace survey
