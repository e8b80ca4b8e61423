// The inverse traverse: the angle and the distance to set out from a
// station, sighting a backsight, to reach a target point, and the record
// that logs them. Standard C++ only.
//
// Conventions as in arith.h: X northing, Y easting, metres; degConst is the
// degree constant the screen holds (radians = degrees / degConst).
#pragma once

#include <string>

#include "survey/arith.h"
#include "survey/point.h"
#include "survey/record.h"

namespace survey {

struct InverseTraverse {
    // The clockwise angle from the backsight to the target in degrees,
    // 0 <= angle <= 360, not rounded.
    double angle;
    // The same angle in whole degrees, minutes and seconds: seconds rounded
    // halves to even, then the carries 60" -> 1', 60' -> 1 deg and
    // 360 deg -> 0, so an angle that rounds up to a full turn is 0 0 0.
    Dms dms;
    // Station -> target, rounded to 3 decimals (halves to even).
    double distance;
};

// Both directions come from the station by the direction-angle rule of
// arith.h, with its 1E-19 nudge of exact zero differences: a target on the
// station lies at 45 degrees and distance 0; a backsight equal to the
// station in value lies at 45 degrees. The angle is the target's direction
// minus the backsight's, plus 360 when that is negative.
//
// Coordinates so large that a difference or a square leaves the range of a
// double give an angle or a distance that is not finite (dms is then 0 0 0);
// the caller must test both.
InverseTraverse inverseTraverse(Point station, Point backsight, Point target, double degConst);

// The three points as read from the boxes, and the boxes as typed.
struct InverseInput {
    Point station, backsight, target;
    struct {
        std::string stationX, stationY, backsightX, backsightY, targetX, targetY;
    } typed;
};

// Separator, "基準 X 0", "基準 Y 0", "後視 X 100", "後視 Y 0", "DATA X 0",
// "DATA Y 100", "角　度  90 - 0 - 0   距　離  100 m", separator: the boxes
// as typed, then the angle and the rounded distance.
Record inverseRecord(const InverseInput& in, const InverseTraverse& result);

}  // namespace survey
