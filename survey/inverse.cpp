#include "survey/inverse.h"

namespace survey {

InverseTraverse inverseTraverse(Point station, Point backsight, Point target, double degConst) {
    const double toBacksight = directionAngle(station.x, station.y, backsight.x, backsight.y, degConst);
    const double toTarget = directionAngle(station.x, station.y, target.x, target.y, degConst);
    const double angle =
        toBacksight > toTarget ? 360.0 - (toBacksight - toTarget) : toTarget - toBacksight;
    return {angle, toDms(angle), pointDistance(station.x, station.y, target.x, target.y)};
}

}  // namespace survey
