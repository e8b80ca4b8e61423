#include "survey/point.h"

#include <cmath>

#include "survey/arith.h"

namespace survey {

Point polarPoint(Point from, double alpha, double distance) {
    return {from.x + distance * std::cos(alpha), from.y + distance * std::sin(alpha)};
}

Point singlePoint(Point from, double packedDirection, double distance, double degConst) {
    const double alpha = packedToDegrees(packedDirection) / degConst;
    const Point p = polarPoint(from, alpha, distance);
    return {roundHalfEven(p.x, 3), roundHalfEven(p.y, 3)};
}

Point radialPoint(Point station, const Point* backsight, double packedAngle, double distance, double degConst) {
    double t = packedToDegrees(packedAngle) / degConst;
    if (backsight) t += directionAngle(station.x, station.y, backsight->x, backsight->y, degConst) / degConst;
    // Summed in this order: distance * cos(t) + x0, as the screen always did.
    const double x = distance * std::cos(t) + station.x;
    const double y = distance * std::sin(t) + station.y;
    return {roundHalfEven(x, 4), roundHalfEven(y, 4)};
}

}  // namespace survey
