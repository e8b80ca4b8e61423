// The triangle arithmetic where it is finer than the screen shows: the
// worked examples of each page are in the screen's own test.
#include "survey/triangle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "survey/arith.h"

namespace {

const double kDeg = survey::degreeConstant();

// An angle as the triangle screen shows it: "36 52 11.6".
std::string shown(double degrees) {
    const survey::DmsTenths dms = survey::toDmsTenths(degrees);
    return std::to_string(dms.d) + " " + std::to_string(dms.m) + " " + survey::numberText(dms.s);
}

TEST(TriangleAngles, CosineToAngleAndItsDisplay) {
    const std::pair<double, const char*> cosines[] = {
        {0.8, "36 52 11.6"},
        {0.0, "90 0 0"},  // 1E-19 in place of 0, no division by zero
        {-0.5, "120 0 0"},
        {-1.0, "180 0 0"},  // atan(-0) is -0, which must count as below 0
    };
    for (const auto& [cosine, angle] : cosines) EXPECT_EQ(shown(survey::angleFromCosine(cosine, kDeg)), angle);
    EXPECT_TRUE(std::isnan(survey::angleFromCosine(1.0000001, kDeg)));

    const std::pair<double, const char*> degrees[] = {
        {1.25 / 3600.0, "0 0 1.2"},                                                   // halves to the even tenth
        {1.35 / 3600.0, "0 0 1.4"}, {10.0 + 59.0 / 60.0 + 59.96 / 3600.0, "11 0 0"},  // 60.0" carries twice
        {359.99999, "0 0 0"},       {std::nan(""), "0 0 0"},
    };
    for (const auto& [value, angle] : degrees) EXPECT_EQ(shown(value), angle) << value;
}

TEST(TriangleAngles, PackedAnglesAreSplitAsTypedAndDropFractionsOfASecond) {
    EXPECT_DOUBLE_EQ(survey::packedWholeSeconds(45.303055), 45.0 + 30.5 / 60.0);
    EXPECT_DOUBLE_EQ(survey::packedWholeSeconds(30.1530), 30.0 + 15.5 / 60.0);
    EXPECT_DOUBLE_EQ(survey::packedWholeSeconds(45.3000), 45.5);
}

TEST(TriangleSolvers, TheEdgesOfWhatIsATriangle) {
    // Flat as typed, though 1.1 + 2.2 is a little more than 3.3 in binary.
    EXPECT_FALSE(survey::solveSides(1.1, 2.2, 3.3, kDeg));
    // Very thin but real: the area rounds to 0, the angles are still shown.
    const auto thin = survey::solveSides(1, 1, 1.9999999, kDeg);
    ASSERT_TRUE(thin);
    EXPECT_EQ(shown(thin->C), "179 57 49.5");
    EXPECT_EQ(thin->area, 0.0);
    EXPECT_FALSE(survey::solveSides(1e200, 1e200, 1e200, kDeg));

    // 179 59' 60" is 180; a C below one whole second is 0.
    EXPECT_FALSE(survey::solveSidesAngle(3, 4, 179.5960, kDeg));
    EXPECT_FALSE(survey::solveSidesAngle(3, 4, 0.000099, kDeg));
    const auto wide = survey::solveSidesAngle(5, 3, 120.0000, kDeg);
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->c, 7.0);

    // A + B is compared in whole seconds: one second short of 180 is a
    // triangle with C of that second, 180 exactly is none.
    EXPECT_FALSE(survey::solveAnglesSide(10, 10.0001, 169.5959, kDeg));
    EXPECT_FALSE(survey::solveAnglesSide(10, 60.3000, 119.3000, kDeg));
    const auto sliver = survey::solveAnglesSide(1000000, 10.0001, 169.5958, kDeg);
    ASSERT_TRUE(sliver);
    EXPECT_EQ(shown(sliver->C), "0 0 1");
    EXPECT_EQ(sliver->a, 999972.506);
    EXPECT_EQ(sliver->c, 27.918);
    EXPECT_EQ(sliver->area, 2424001.759);
}

}  // namespace
