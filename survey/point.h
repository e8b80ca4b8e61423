// Points reached from a known point along a direction: the single point and
// the radial traverse. Standard C++ only.
//
// Conventions as in arith.h: X northing, Y easting, metres; angles typed as
// packed angles (ddd.mmss); degConst is the degree constant the screen holds
// (radians = degrees / degConst).
#pragma once

namespace survey {

struct Point {
    double x;
    double y;
};

// The point at `distance` from `from` along the direction `alpha` (radians,
// clockwise from +X): x + d cos a, y + d sin a, not rounded. A negative
// distance walks backwards. Overflow gives infinities or NaN.
Point polarPoint(Point from, double alpha, double distance);

// Single point: from `from` along the packed direction angle, rounded to
// 3 decimals (halves to even). Non-finite when the input is absurd.
Point singlePoint(Point from, double packedDirection, double distance, double degConst);

// Radial traverse: the point at `distance` from `station`. Without a
// backsight the packed angle is a direction angle; with one it is turned
// clockwise from the direction station -> backsight (direction-angle rule of
// arith.h, with its 1E-19 nudge). No reduction to one turn is made. X and Y
// are rounded to 4 decimals (halves to even); non-finite when absurd.
Point radialPoint(Point station, const Point* backsight, double packedAngle, double distance, double degConst);

}  // namespace survey
