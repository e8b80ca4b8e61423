// Whether the outline of a parcel crosses itself. Standard C++ only.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "survey/area.h"

namespace survey {

// The edges of the outline through the corners in the order given, closed
// back to the first (edge i runs from corner i to corner i + 1, the last
// edge from corner n - 1 to corner 0), that meet another edge where they
// should not. Sorted, each edge once; empty when the outline is simple.
//
// - Two edges that do not follow each other fault at any common point: a
//   proper crossing (the usual typo), a corner lying on the other edge, a
//   corner visited twice (a figure eight touching itself), an overlap.
// - Two edges that follow each other share their corner; they fault only
//   when they share more than that, that is when the second runs back
//   along the first. Going straight on through a corner is no fault.
// - A corner entered twice in a row makes an edge of no length. It changes
//   neither the outline nor the area, so it is no fault and never reported;
//   the edges before and after it count as following each other.
// - Fewer than three corners make no outline yet: nothing is reported.
// - An edge with an end beyond the range of a double is not checked.
//
// Points are compared exactly as stored; a corner computed to lie on an
// edge may land a rounding error off it.
//
// The edges go into an R-tree; each is tested against the edges whose boxes
// meet its own, so a simple outline of 10001 corners takes milliseconds. An
// outline whose edges nearly all overlap in their boxes (a star of
// thousands of points) takes time in the square of its corners.
std::vector<std::size_t> crossingEdges(std::span<const Corner> corners);

}  // namespace survey
