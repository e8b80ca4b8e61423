#include "survey/direction.h"

namespace survey {

DirectionDistance directionDistance(Point base, Point backsight, double degConst) {
    const double angle = directionAngle(base.x, base.y, backsight.x, backsight.y, degConst);
    return {angle, toDms(angle), pointDistance(base.x, base.y, backsight.x, backsight.y)};
}

Record directionRecord(const DirectionInput& in, const DirectionDistance& result) {
    Record record;
    record.separator()
        .add(Line().entry("基準 X", in.typed.baseX))
        .add(Line().entry("基準 Y", in.typed.baseY))
        .add(Line().entry("後視 X", in.typed.backsightX))
        .add(Line().entry("後視 Y", in.typed.backsightY))
        .add(Line().entry("方向角", result.dms).gap().text("距　離").number(result.distance).text("m"))
        .separator();
    return record;
}

}  // namespace survey
