#include "survey/transform.h"

#include <cmath>

#include "survey/arith.h"

namespace survey {

namespace {

double direction(Point from, Point to, double degConst) {
    return directionAngle(from.x, from.y, to.x, to.y, degConst);
}

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

}  // namespace survey
