// The intersection of two straight lines, one through base point A and one
// through base point B, each given by an angle, and the record that logs
// it. Standard C++ only.
//
// Conventions as in arith.h: X northing, Y easting, metres; angles typed as
// packed angles (ddd.mmss); degConst is the degree constant the screen holds
// (radians = degrees / degConst).
#pragma once

#include <optional>
#include <string>

#include "survey/point.h"
#include "survey/record.h"

namespace survey {

// How the two angles are given.
enum class LineAngles {
    // The direction angle of each line, clockwise from +X.
    Direction,
    // The angle at A turned clockwise from the direction A -> B, and the
    // angle at B turned clockwise from the direction B -> A.
    Included,
};

// Two lines closer to parallel than this (|sin| of the angle between them)
// have no intersection worth the name: about 0.00002 seconds of arc.
inline constexpr double kParallelSine = 1e-10;

struct Intersection {
    Point p;    // the intersection point, X and Y rounded to 4 decimals
    double ap;  // distance A -> P, rounded to 4 decimals
    double bp;  // distance B -> P, rounded to 4 decimals
};

// The intersection P of the line through `a` at angle `angleA` and the line
// through `b` at angle `angleB` (packed angles).
//  - Included angles become direction angles first: T = direction A -> B by
//    the direction-angle rule (arith.h, with its 1E-19 nudge); A's line at
//    T + a, B's at T + 180 + b, each brought below 360 by one subtraction.
//  - With s = sin(alphaA - alphaB), the signed distances along each line are
//    LA = (dY cos alphaB - dX sin alphaB) / s and
//    LB = (dY cos alphaA - dX sin alphaA) / s, dX, dY from A to B; a negative
//    one puts P behind its base point. P is the mean of A + LA and B + LB;
//    AP and BP are taken from that unrounded P. All four are then rounded to
//    4 decimals, halves to even.
// No value when the lines are parallel (|s| < kParallelSine: the same
// direction, or directions that differ by about a multiple of 180 degrees)
// or when any result is not a finite number (absurd input).
std::optional<Intersection> intersectLines(Point a, double angleA, Point b, double angleB, LineAngles kind,
                                           double degConst);

// The two lines as read from the boxes, and the boxes as typed (the angle
// boxes of the kind in use).
struct IntersectionInput {
    Point a;
    double angleA;
    Point b;
    double angleB;
    LineAngles kind;
    struct {
        std::string ax, ay, angleA, bx, by, angleB;
    } typed;
};

// Separator, the kind ("---交点　方向角計算---" or "---交点　夾角計算---"),
// "基点A-X 0  基点A-Y 0  A 角度 45", "基点B-X 100  基点B-Y 0  B 角度 135",
// "求点 X  50   AP距離  70.7107 m", "求点 Y  50   BP距離  70.7107 m",
// separator.
Record intersectionRecord(const IntersectionInput& in, const Intersection& found);

}  // namespace survey
