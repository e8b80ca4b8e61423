// The direction angle and the distance from a base point to a back-sight
// point, and the record that logs them. Standard C++ only.
//
// Conventions as in arith.h: X northing, Y easting, metres; degConst is the
// degree constant the screen holds (radians = degrees / degConst).
#pragma once

#include <string>

#include "survey/arith.h"
#include "survey/point.h"
#include "survey/record.h"

namespace survey {

// The two points as read from the boxes, and the boxes as typed.
struct DirectionInput {
    Point base, backsight;
    struct {
        std::string baseX, baseY, backsightX, backsightY;
    } typed;
};

struct DirectionDistance {
    double angle;     // base -> backsight, degrees in [0, 360)
    Dms dms;          // the angle split for display (toDms, with its carries)
    double distance;  // rounded to 3 decimals (halves to even)
};

// The direction-angle rule and the point distance of arith.h: coincident
// points lie at 45 degrees and distance 0. Differences beyond the range of
// a double give an angle or a distance that is not finite; the caller must
// test both.
DirectionDistance directionDistance(Point base, Point backsight, double degConst);

// Separator, "基準 X 0", "基準 Y 0", "後視 X 100", "後視 Y 100",
// "方向角  45 - 0 - 0   距　離 141.421 m", separator: the boxes as typed.
// No blank follows "距　離" but the distance's own sign position.
Record directionRecord(const DirectionInput& in, const DirectionDistance& result);

}  // namespace survey
