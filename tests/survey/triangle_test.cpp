#include "survey/triangle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "survey/arith.h"

namespace {

using survey::Triangle;

const double kDeg = survey::degreeConstant();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// An angle as the triangle screen shows it: "36 52 11.6".
std::string shown(double degrees) {
    const survey::DmsTenths dms = survey::toDmsTenths(degrees);
    return std::to_string(dms.d) + " " + std::to_string(dms.m) + " " + survey::numberText(dms.s);
}

// The three angles shown, A | B | C.
std::string angles(const Triangle& t) { return shown(t.A) + " | " + shown(t.B) + " | " + shown(t.C); }

TEST(TriangleAngles, CosineToAngle) {
    struct Row {
        double cosine;
        const char* angle;
    };
    const Row rows[] = {
        {0.8, "36 52 11.6"},
        {0.5, "60 0 0"},
        // An exact 0 is a right angle, not a division by zero.
        {0.0, "90 0 0"},
        // A negative cosine is an obtuse angle.
        {-0.5, "120 0 0"},
        {1.0, "0 0 0"},
        {-1.0, "180 0 0"},
    };
    for (const Row& r : rows) EXPECT_EQ(shown(survey::angleFromCosine(r.cosine, kDeg)), r.angle) << r.cosine;
    EXPECT_NEAR(survey::angleFromCosine(0.0, kDeg), 90.0, 1e-13);
    EXPECT_TRUE(std::isnan(survey::angleFromCosine(1.0000001, kDeg)));
}

TEST(TriangleAngles, SecondsKeepOneDecimalAndCarry) {
    struct Row {
        double degrees;
        const char* angle;
    };
    const Row rows[] = {
        {45.0, "45 0 0"},
        {21.78678929826181, "21 47 12.4"},
        // 1.25" and 1.35": halves go to the even tenth.
        {1.25 / 3600.0, "0 0 1.2"},
        {1.35 / 3600.0, "0 0 1.4"},
        // 10 59' 59.96" rounds to 60.0" and carries into the minutes, and
        // 59' on into the degrees.
        {10.0 + 59.0 / 60.0 + 59.96 / 3600.0, "11 0 0"},
        {359.99999, "0 0 0"},
        {-90.0, "270 0 0"},
        {kNaN, "0 0 0"},
    };
    for (const Row& r : rows) EXPECT_EQ(shown(r.degrees), r.angle) << r.degrees;
}

TEST(TriangleAngles, PackedAnglesDropFractionsOfASecond) {
    struct Row {
        double packed;
        double degrees;
    };
    const Row rows[] = {
        {45.303055, 45.0 + (30.0 + 30.0 / 60.0) / 60.0},
        // Split on the digits as typed, not on their binary approximation.
        {30.1530, 30.0 + (15.0 + 30.0 / 60.0) / 60.0},
        {45.3000, 45.5},
        {131.0130, 131.025},
        {45.6000, 46.0},
        {-0.0030, -30.0 / 3600.0},
    };
    for (const Row& r : rows) EXPECT_DOUBLE_EQ(survey::packedWholeSeconds(r.packed), r.degrees) << r.packed;
}

TEST(TriangleSolvers, ThreeSides) {
    struct Row {
        double a, b, c;
        const char* angles;
        double area;
    };
    const Row rows[] = {
        {3, 4, 5, "36 52 11.6 | 53 7 48.4 | 90 0 0", 6},
        {10, 10, 10, "60 0 0 | 60 0 0 | 60 0 0", 43.301},
        {7, 3, 5, "120 0 0 | 21 47 12.4 | 38 12 47.6", 6.495},
        // Very thin but real: the area rounds to 0 and still is a triangle.
        {1, 1, 1.9999999, "0 1 5.2 | 0 1 5.2 | 179 57 49.5", 0},
    };
    for (const Row& r : rows) {
        const std::optional<Triangle> t = survey::solveSides(r.a, r.b, r.c, kDeg);
        ASSERT_TRUE(t) << r.a << " " << r.b << " " << r.c;
        EXPECT_EQ(angles(*t), r.angles);
        EXPECT_EQ(t->area, r.area);
    }
}

TEST(TriangleSolvers, TwoSidesAndTheAngleBetween) {
    struct Row {
        double a, b, packedC;
        double c;
        const char* angles;
        double area;
    };
    const Row rows[] = {
        {3, 4, 90.0000, 5, "36 52 11.6 | 53 7 48.4 | 90 0 0", 6},
        {10, 10, 60.0000, 10, "60 0 0 | 60 0 0 | 60 0 0", 43.301},
        // An obtuse C, typed with seconds.
        {5, 3, 120.0000, 7, "38 12 47.6 | 21 47 12.4 | 120 0 0", 6.495},
        {100, 80, 45.3030, 72.022, "82 5 0.8 | 52 24 29.2 | 45 30 30", 2853.41},
    };
    for (const Row& r : rows) {
        const std::optional<Triangle> t = survey::solveSidesAngle(r.a, r.b, r.packedC, kDeg);
        ASSERT_TRUE(t) << r.a << " " << r.b << " " << r.packedC;
        EXPECT_EQ(t->c, r.c);
        EXPECT_EQ(angles(*t), r.angles);
        EXPECT_EQ(t->area, r.area);
    }
}

TEST(TriangleSolvers, OneSideAndTwoAngles) {
    struct Row {
        double b, packedA, packedB;
        double a, c;
        const char* angleC;
        double area;
    };
    const Row rows[] = {
        {10, 30.0000, 60.0000, 5.774, 11.547, "90 0 0", 28.868},
        {10, 60.0000, 60.0000, 10, 10, "60 0 0", 43.301},
        // A + B one second short of 180: C is that second.
        {1000000, 10.0001, 169.5958, 999972.506, 27.918, "0 0 1", 2424001.759},
    };
    for (const Row& r : rows) {
        const std::optional<Triangle> t = survey::solveAnglesSide(r.b, r.packedA, r.packedB, kDeg);
        ASSERT_TRUE(t) << r.b << " " << r.packedA << " " << r.packedB;
        EXPECT_EQ(t->a, r.a);
        EXPECT_EQ(t->c, r.c);
        EXPECT_EQ(shown(t->C), r.angleC);
        EXPECT_EQ(t->area, r.area);
    }
}

TEST(TriangleSolvers, WhatIsNoTriangleIsRefused) {
    struct Row {
        double x, y, z;
        const char* why;
    };
    const Row sides[] = {
        {3, 4, 7, "flat"},
        {1.1, 2.2, 3.3, "flat as typed, though 1.1 + 2.2 > 3.3 in binary"},
        {1, 2, 10, "breaks the triangle inequality"},
        {10, 2, 1, "breaks it on the other side"},
        {0, 4, 5, "a side of 0"},
        {-3, 4, 5, "a negative side"},
        {1e200, 1e200, 1e200, "squares beyond a double"},
        {kNaN, 4, 5, "not a number"},
    };
    for (const Row& r : sides) EXPECT_FALSE(survey::solveSides(r.x, r.y, r.z, kDeg)) << r.why;

    const Row sidesAngle[] = {
        {3, 4, 0.0000, "C of 0"},
        {3, 4, 180.0000, "C of 180"},
        {3, 4, 179.5960, "C of 179 59' 60\", which is 180"},
        {3, 4, 200.0000, "C above 180"},
        {3, 4, -30.0000, "a negative C"},
        {3, 4, 0.000099, "C below one whole second"},
        {0, 4, 90.0000, "a side of 0"},
        {3, -4, 90.0000, "a negative side"},
        {1e200, 1e200, 90.0000, "squares beyond a double"},
    };
    for (const Row& r : sidesAngle) EXPECT_FALSE(survey::solveSidesAngle(r.x, r.y, r.z, kDeg)) << r.why;

    const Row anglesSide[] = {
        {10, 0.0000, 60.0000, "A of 0"},
        {10, 60.0000, 0.0000, "B of 0"},
        {10, 60.0000, 180.0000, "B of 180"},
        {10, 90.0000, 90.0000, "A + B of 180"},
        {10, 60.3000, 119.3000, "A + B of 180 from minutes"},
        {10, 10.0001, 169.5959, "A + B of 180 from seconds"},
        {10, 100.0000, 100.0000, "A + B above 180"},
        {10, -10.0000, 60.0000, "a negative A"},
        {0, 30.0000, 60.0000, "b of 0"},
        {1e300, 30.0000, 60.0000, "squares beyond a double"},
    };
    for (const Row& r : anglesSide) EXPECT_FALSE(survey::solveAnglesSide(r.x, r.y, r.z, kDeg)) << r.why;
}

}  // namespace
