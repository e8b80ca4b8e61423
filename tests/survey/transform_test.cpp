// Carrying points between two plane systems.
#include <gtest/gtest.h>

#include <cmath>

#include "survey/arith.h"
#include "survey/transform.h"

namespace {

using survey::BaseLine;
using survey::Point;

struct Row {
    BaseLine first, second;
    Point p, expected;
    const char* what;
};

TEST(TransformPoint, RotatesAndMovesKeepingMillimetres) {
    const BaseLine north{{0, 0}, {100, 0}};
    const BaseLine east{{1000, 2000}, {1000, 2100}};
    const BaseLine near300{{0, 0}, {50, -86.6025403784}};
    const Row rows[] = {
        // The distance 14.142 is rounded before it is carried over.
        {north, east, {10, 10}, {990.0001, 2009.9999}, "a point at 45 degrees"},
        // dir1 > dir3, and t = 405 comes back to 45.
        {near300, near300, {10, 10}, {9.9999, 9.9999}, "identical systems"},
        {north, east, {0, 25}, {975, 2000}, "due east of the base"},
        {north, {{0, 0}, {0, 100}}, {-30, 40}, {-40, -30}, "a quarter turn"},
        // A base equal to its backsight lies at 45 degrees.
        {{{5, 5}, {5, 5}}, {{0, 0}, {0, 10}}, {15, 5}, {7.0711, 7.0711}, "coincident backsight"},
    };
    const double c = survey::degreeConstant();
    for (const Row& r : rows) {
        const Point q = survey::transformPoint(r.first, r.second, r.p, c);
        EXPECT_DOUBLE_EQ(q.x, r.expected.x) << r.what;
        EXPECT_DOUBLE_EQ(q.y, r.expected.y) << r.what;
    }
}

TEST(TransformPoint, AbsurdInputIsNotFinite) {
    const double c = survey::degreeConstant();
    const Point q = survey::transformPoint({{-1e308, 0}, {1, 0}}, {{0, 0}, {1, 0}}, {1e308, 0}, c);
    EXPECT_FALSE(std::isfinite(q.x) && std::isfinite(q.y));
}

}  // namespace
