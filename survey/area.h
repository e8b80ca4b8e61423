// The area of a parcel from the plane coordinates of its corners, and the
// record that logs it. Standard C++ only.
#pragma once

#include <cstddef>
#include <span>

#include "survey/record.h"

namespace survey {

// The most corners one parcel may have.
inline constexpr std::size_t kMaxCorners = 10001;

// One corner of a parcel: X the northing, Y the easting, in metres.
struct Corner {
    double x;
    double y;
};

// Area of the outline through the corners in the order given, closed back
// to the first: the signed sum of (X[i] + X[i+1]) * (Y[i+1] - Y[i]) over
// i = 0 .. n-2, then (X[n-1] + X[0]) * (Y[0] - Y[n-1]), each term formed in
// that order and added to the running sum; halved, rounded to 3 decimals
// (halves to even) and made positive, so the direction of travel does not
// matter. Fewer than three corners give 0. A sum that leaves the range of a
// double comes back as infinity or NaN.
double cornerArea(std::span<const Corner> corners);

// The record of one calculation: separator, "--座標面積計算--", one line per
// corner (" 1 X 座標  0   Y 座標  10 "), the area line ("面積  100 ㎡")
// and a closing separator.
Record cornerAreaRecord(std::span<const Corner> corners, double area);

}  // namespace survey
