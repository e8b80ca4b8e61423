// Points on the straight line between two base points A and B: the
// midpoint, a point at an offset from A, and the points that divide AB into
// equal sections, with the records that log them. Standard C++ only.
//
// Conventions as in arith.h: X northing, Y easting, metres; degConst is the
// degree constant the screen holds (radians = degrees / degConst).
//
// All three are found with the two-end point: the point is walked to once
// from A and once from B, and the two are averaged, so that neither end is
// favoured by rounding error.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "survey/point.h"
#include "survey/record.h"

namespace survey {

// Length of AB: sqrt(dx^2 + dy^2) of the plain differences, not rounded.
// Infinity when the differences overflow.
double lineLength(Point a, Point b);

// The two-end point. T is the direction from A to B by the direction-angle
// rule (arith.h; A = B gives 45 degrees), T' = T + 180, less 360 when that
// exceeds 360. Walk s from A along T and r from B along T'; each coordinate
// of the mean of the two points reached is truncated toward zero to four
// decimals (truncateTo). When s + r is the length of AB both walks end in
// the same place; a negative s or r walks backwards. Non-finite input, or a
// sum that overflows, gives non-finite coordinates.
Point twoEndPoint(Point a, Point b, double s, double r, double degConst);

// The midpoint: the two-end point with s = r = lineLength / 2.
Point midpoint(Point a, Point b, double degConst);

// True when the offset lies beyond B: offset > lineLength (strictly). Such
// an offset is refused; an offset equal to the length gives B, a negative
// one a point on the extension behind A.
bool offsetBeyondB(Point a, Point b, double offset);

// The point at `offset` from A along AB: the two-end point with s = offset
// and r = lineLength - offset. Non-finite when the input is absurd.
Point offsetPoint(Point a, Point b, double offset, double degConst);

// ---- Division -----------------------------------------------------------------

inline constexpr int kMinSections = 2;
inline constexpr int kMaxSections = 1000;

// The number of sections as typed, read strictly (strictNumber): a whole
// number from 2 to 1000, otherwise none (2.5, -3, 1, 0, 1001, 12abc, "").
std::optional<int> sectionCount(std::string_view text);

// One division point: its distance from A and its coordinates, each
// truncated toward zero to four decimals.
struct DivisionPoint {
    double distance;
    Point point;
};

struct Division {
    double length;                      // lineLength, not rounded
    std::vector<DivisionPoint> points;  // point k (1-based) at index k - 1
};

// Divides AB into n equal sections: for k = 1 .. n - 1, s = k * (D / n)
// (a product, not a running sum), r = |D - s|, and the two-end point of s
// and r. No value when n is outside 2 .. 1000 or any result is not finite.
std::optional<Division> divide(Point a, Point b, int n, double degConst);

// ---- Records --------------------------------------------------------------------

// The base points as the user typed them; written unchanged.
struct TypedBase {
    std::string ax, ay, bx, by;
};

// Separator, "基準A-X 0" … "基準B-Y 50", "X 座標  50   Y 座標  25 ", separator.
Record midpointRecord(const TypedBase& base, Point m);

// Separator, "ｵﾌｾｯﾄ 25m", the four base lines, the X/Y line, separator.
Record offsetRecord(const TypedBase& base, std::string_view offset, Point p);

// Separator, "分割数 3", the four base lines, an empty line, one line per
// point (" 1  点目   距離  30    X 座標  30    Y 座標  0 "), separator.
Record divisionRecord(const TypedBase& base, std::string_view count, std::span<const DivisionPoint> points);

}  // namespace survey
