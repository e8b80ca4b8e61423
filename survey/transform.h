// Carrying a point from one plane coordinate system into another by a rigid
// motion fixed by a base point and a backsight known in both systems, and
// the record that logs it. Standard C++ only.
//
// Conventions as in arith.h: X northing, Y easting, metres; degConst is the
// degree constant the screen holds (radians = degrees / degConst).
#pragma once

#include <string>

#include "survey/point.h"
#include "survey/record.h"

namespace survey {

// A base point and its backsight in one system.
struct BaseLine {
    Point base;
    Point backsight;
};

// The point `p`, given in the first system, in the second system:
//  - dir1, dir2: directions base -> backsight in each system, and dir3 the
//    direction base -> p in the first, all by the direction-angle rule
//    (arith.h, with its 1E-19 nudge; coincident points give 45 degrees);
//  - L: the point distance base -> p, rounded to the millimetre first, so
//    the conversion keeps distances to the millimetre;
//  - theta: the clockwise angle from the backsight to p, dir3 - dir1, or
//    360 - (dir1 - dir3) when dir1 > dir3; t = dir2 + theta, less 360 when
//    above 360;
//  - the result: the second base point + L along t, X and Y rounded to
//    4 decimals (halves to even).
// No scale is applied: the base-backsight distances of the two systems are
// not used. Absurd input (values whose squares or differences leave the
// range of a double) gives a non-finite result; nothing else fails.
Point transformPoint(const BaseLine& first, const BaseLine& second, Point p, double degConst);

// The two base lines and the point as read from the boxes, and the boxes as
// typed.
struct TransformInput {
    BaseLine first, second;
    Point p;
    struct {
        std::string baseX, baseY, backsightX, backsightY;      // first system
        std::string baseX2, baseY2, backsightX2, backsightY2;  // second system
        std::string x, y;                                      // the point
    } typed;
};

// Separator, "基準　X 0  基準　Y 0", "後視　X 100  後視　Y 0", "基準’X 1000
// 基準’Y 2000", "後視’X 1000  後視’Y 2100", "DA-X 10  DA-Y 10" (the boxes as
// typed), "変換後 X  990.0001   変換後 Y 2009.9999 ", separator. No blank
// follows "変換後 Y" but the number's sign position: "変換後 Y-30 ".
Record transformRecord(const TransformInput& in, Point converted);

}  // namespace survey
