// Single points and radial points as pure functions.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "survey/arith.h"
#include "survey/point.h"

namespace {

using survey::Point;

struct PolarRow {
    Point from;
    double packed, distance;
    Point single;  // rounded to 3 decimals
};

TEST(SinglePoint, ExamplesRoundToMillimetres) {
    const double c = survey::degreeConstant();
    const PolarRow rows[] = {
        {{100, 200}, 90.0, 50, {100, 250}},
        {{0, 0}, 45.0, 100, {70.711, 70.711}},
        {{0, 0}, 180.0, 10, {-10, 0}},
        {{5, 5}, 123.4530, 0, {5, 5}},
        {{0, 0}, 0.0, -10, {-10, 0}},  // a negative distance walks backwards
    };
    for (const PolarRow& r : rows) {
        const Point p = survey::singlePoint(r.from, r.packed, r.distance, c);
        EXPECT_DOUBLE_EQ(p.x, r.single.x) << r.packed;
        EXPECT_DOUBLE_EQ(p.y, r.single.y) << r.packed;
    }
    const Point huge = survey::singlePoint({1e308, 0}, 0.0, 1e308, c);
    EXPECT_FALSE(std::isfinite(huge.x));
}

TEST(RadialPoint, DirectionAndIncludedAngles) {
    const double c = survey::degreeConstant();
    // Direction angle 45 degrees.
    Point p = survey::radialPoint({0, 0}, nullptr, 45.0, 100, c);
    EXPECT_DOUBLE_EQ(p.x, 70.7107);
    EXPECT_DOUBLE_EQ(p.y, 70.7107);
    // 90 degrees turned from a backsight due north: due east.
    const Point north{100, 0};
    p = survey::radialPoint({0, 0}, &north, 90.0, 100, c);
    EXPECT_DOUBLE_EQ(p.x, 0);
    EXPECT_DOUBLE_EQ(p.y, 100);
    // Backsight due south, 45 degrees more: 225 degrees.
    const Point south{-100, 0};
    p = survey::radialPoint({0, 0}, &south, 45.0, 100, c);
    EXPECT_DOUBLE_EQ(p.x, -70.7107);
    EXPECT_DOUBLE_EQ(p.y, -70.7107);
}

}  // namespace
