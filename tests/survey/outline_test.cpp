#include "survey/outline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

using survey::Corner;

namespace {

struct Outline {
    std::string name;
    std::vector<Corner> corners;
    std::vector<std::size_t> crossing;
};

// The case's name, in CTest's list too; gtest would print the bytes,
// heap addresses and all, which change from run to run.
void PrintTo(const Outline& outline, std::ostream* out) { *out << outline.name; }

// n corners on a circle 40 m across, far from the origin. Not rounded to the
// millimetre: a millimetre is more than the bulge of the arc between three
// neighbouring corners, which then need not turn one way.
std::vector<Corner> circle(std::size_t n) {
    std::vector<Corner> out;
    for (std::size_t i = 0; i < n; ++i) {
        const double a = 2.0 * std::numbers::pi * double(i) / double(n);
        out.push_back({-35000.0 + 20.0 * std::cos(a), 12000.0 + 20.0 * std::sin(a)});
    }
    return out;
}

std::vector<Corner> swapped(std::vector<Corner> corners, std::size_t k) {
    std::swap(corners[k], corners[k + 1]);
    return corners;
}

const double inf = HUGE_VAL;

class CrossingEdges : public testing::TestWithParam<Outline> {};

TEST_P(CrossingEdges, FindsTheEdgesThatMeetWhereTheyShouldNot) {
    EXPECT_EQ(survey::crossingEdges(GetParam().corners), GetParam().crossing);
}

INSTANTIATE_TEST_SUITE_P(
    Outlines, CrossingEdges,
    testing::Values(Outline{"Square", {{0, 0}, {0, 10}, {10, 10}, {10, 0}}, {}},
                    Outline{"StraightOnThroughACorner", {{0, 0}, {0, 5}, {0, 10}, {10, 10}, {10, 0}}, {}},
                    // The boxes of the arms overlap, the arms do not meet.
                    Outline{"UShape", {{0, 0}, {10, 0}, {10, 4}, {1, 4}, {1, 6}, {10, 6}, {10, 10}, {0, 10}}, {}},
                    Outline{"BowTie", {{0, 0}, {10, 10}, {0, 10}, {10, 0}}, {0, 2}},
                    // Two loops touching where corner 1 is visited again as corner 4.
                    Outline{"FigureEight", {{5, 5}, {0, 10}, {0, 0}, {5, 5}, {10, 0}, {10, 10}}, {0, 2, 3, 5}},
                    Outline{"CornerTypedTwice", {{0, 0}, {0, 10}, {0, 10}, {10, 10}, {10, 0}}, {}},
                    Outline{"FirstCornerRepeatedAtTheEnd", {{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}}, {}},
                    // Edge 3 runs back along edge 2; edge 4 starts on edge 2.
                    Outline{"EdgeRunningBack", {{0, 0}, {0, 10}, {10, 10}, {10, 0}, {10, 5}}, {2, 3, 4}},
                    Outline{"ThereAndBackAgain", {{0, 0}, {0, 10}, {0, 0}}, {0, 1}},
                    Outline{"TwoCorners", {{0, 0}, {0, 10}}, {}},
                    Outline{"CornerBeyondRange", {{0, 0}, {inf, 10}, {10, 10}, {10, 0}}, {}},
                    Outline{"Circle10001", circle(10001), {}},
                    // Two corners entered in the wrong order: the edges into and out of
                    // the pair cross.
                    Outline{"Circle10001TwoCornersSwapped", swapped(circle(10001), 5000), {4999, 5001}}),
    [](const testing::TestParamInfo<Outline>& info) { return info.param.name; });

}  // namespace
