// Points reached from a known point along a direction: the single point,
// the legs of a chain of points and the radial traverse, with the records
// that log the chain and the radial points. Standard C++ only.
//
// Conventions as in arith.h: X northing, Y easting, metres; angles typed as
// packed angles (ddd.mmss); degConst is the degree constant the screen holds
// (radians = degrees / degConst).
#pragma once

#include <optional>
#include <string>

#include "survey/record.h"

namespace survey {

struct Point {
    double x;
    double y;
};

// The point at `distance` from `from` along the direction `alpha` (radians,
// clockwise from +X): x + d cos a, y + d sin a, not rounded. A negative
// distance walks backwards. Overflow gives infinities or NaN.
Point polarPoint(Point from, double alpha, double distance);

// One leg of a chain: the point at `distance` from `from` along the packed
// direction angle, unrounded (the next leg starts from it) and rounded to
// 3 decimals (halves to even). Non-finite when the input is absurd.
struct Leg {
    Point end;
    Point rounded;
};
Leg chainLeg(Point from, double packedDirection, double distance, double degConst);

// Single point: the rounded end of chainLeg.
Point singlePoint(Point from, double packedDirection, double distance, double degConst);

// Radial traverse: the point at `distance` from `station`. Without a
// backsight the packed angle is a direction angle; with one it is turned
// clockwise from the direction station -> backsight (direction-angle rule of
// arith.h, with its 1E-19 nudge). No reduction to one turn is made. X and Y
// are rounded to 4 decimals (halves to even); non-finite when absurd.
Point radialPoint(Point station, const std::optional<Point>& backsight, double packedAngle, double distance,
                  double degConst);

// ---- Records --------------------------------------------------------------------

// One leg as read from the boxes, and the boxes as typed.
struct ChainInput {
    Point from;
    double packedDirection, distance;
    struct {
        std::string x, y, direction, distance;
    } typed;
};

// Separator, "基準 X 0", "基準 Y 0", "方向角 45.0000", "距　離 100",
// "X座標  70.711   Y座標 70.711 ", separator: the boxes as typed, the
// rounded point. No blank follows "Y座標" but the number's sign position.
Record chainRecord(const ChainInput& in, const Leg& leg);

// One radial point as read from the boxes, and the boxes as typed; a
// backsight means included angles.
struct RadialInput {
    Point station;
    std::optional<Point> backsight;
    double packedAngle, distance;
    struct {
        std::string stationX, stationY, backsightX, backsightY, angle, distance;
    } typed;
};

// Separator, "--夾角計算--" or "--方向角計算--", "基準 X 0", "基準 Y 0",
// with a backsight "後視 X 100" and "後視 Y 0", then "角  度 90  距　離 100m",
// "X 座標  0   Y 座標  100 ", separator.
Record radialRecord(const RadialInput& in, Point p);

}  // namespace survey
