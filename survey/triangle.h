// Solving a triangle from three of its parts, and its area. Standard C++ only.
//
// Notation: sides a, b, c in metres; angle A lies opposite side a, B
// opposite b, C opposite c. Angles are in decimal degrees. degConst is the
// degree constant the screen holds: radians = degrees / degConst, degrees =
// radians * degConst.
//
// Every solver refuses (gives no value) what describes no triangle of
// positive area, and any input for which a result would not be a finite
// number (sides so large that their squares overflow, NaN, infinities).
#pragma once

#include <optional>

namespace survey {

// A solved triangle. The given parts are as they were read (a packed angle
// decoded to degrees); computed sides and the area are rounded to 3 decimals,
// halves to even; computed angles are not rounded.
struct Triangle {
    double a, b, c;
    double A, B, C;
    double area;
};

// Cosine-to-angle rule: a cosine of exactly 0 becomes 1E-19; then
// t = sqrt(1 - cos^2) / cos and angle = atan(t) * degConst, plus 180 when
// that is below 0 (or -0, from a cosine of -1). For |cos| <= 1 the angle lies in [0, 180], a right angle
// within an ulp of 90; for |cos| > 1 or NaN it is NaN.
double angleFromCosine(double cosine, double degConst);

// An angle split for display with one decimal of the seconds: whole degrees,
// whole minutes and seconds rounded to 0.1 (halves to the even digit), then
// the carries 60" -> 1', 60' -> 1 deg, 360 deg -> 0, so no part ever shows
// 60 (36.86989765 -> 36 52 11.6). The angles of a triangle lie in [0, 180];
// anything outside [0, 360), NaN included, gives 0 0 0.
struct DmsTenths {
    int d;
    int m;
    double s;
};
DmsTenths toDmsTenths(double degrees);

// A packed angle ddd.mmss read with its seconds truncated to whole seconds:
// the digits are split exactly as typed (30.1530 is 30 15 30), then
// degrees + (minutes + seconds / 60) / 60. 45.303055 -> 45 30 30 = 45.508333.
double packedWholeSeconds(double v);

// Page "ヘロン": the three sides. The angles by the cosine rule, the area by
// Heron's formula. Refused: a side of 0 or below, and sides that break the
// triangle inequality or meet it (a flat triangle, 3 4 7). A side within a
// few ulps of the sum of the other two counts as meeting it, so that typed
// decimals such as 1.1 2.2 3.3 are flat as written.
std::optional<Triangle> solveSides(double a, double b, double c, double degConst);

// Page "２辺夾角": sides a and b and the packed angle C between them. c by the
// cosine rule; A and B from the unrounded c; area = a b sin C / 2. Refused:
// a or b of 0 or below, C of 0 or below, C of 180 degrees or more.
std::optional<Triangle> solveSidesAngle(double a, double b, double packedC, double degConst);

// Page "２角夾辺": side b and the packed angles A and B. C = 180 - (A + B),
// a = b sin A / sin B, c by the cosine rule from the unrounded a, area =
// a b sin C / 2. Refused: b of 0 or below, A or B of 0 or below, A + B of
// 180 degrees or more (compared in whole seconds, exactly).
std::optional<Triangle> solveAnglesSide(double b, double packedA, double packedB, double degConst);

}  // namespace survey
