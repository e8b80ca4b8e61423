#include "survey/area.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "RecordRows.h"

using survey::Corner;

TEST(CornerArea, EitherDirectionOfTravelGivesThePositiveArea) {
    // An L-shaped parcel away from the origin, in negative coordinates.
    std::vector<Corner> ell{{-1000, -2000}, {-1000, -1980}, {-990, -1980}, {-990, -1990}, {-980, -1990}, {-980, -2000}};
    EXPECT_EQ(survey::cornerArea(ell), 300.0);
    std::reverse(ell.begin(), ell.end());
    EXPECT_EQ(survey::cornerArea(ell), 300.0);
}

TEST(CornerArea, DegenerateOutlines) {
    EXPECT_EQ(survey::cornerArea(std::vector<Corner>{}), 0.0);
    EXPECT_EQ(survey::cornerArea(std::vector<Corner>{{5, 5}, {7, 9}}), 0.0);
    // Collinear and coincident corners enclose nothing.
    EXPECT_EQ(survey::cornerArea(std::vector<Corner>{{0, 0}, {1, 1}, {2, 2}}), 0.0);
    EXPECT_EQ(survey::cornerArea(std::vector<Corner>{{3, 4}, {3, 4}, {3, 4}, {3, 4}}), 0.0);
    // A bow tie: the two loops cancel in the signed sum.
    EXPECT_EQ(survey::cornerArea(std::vector<Corner>{{0, 0}, {10, 10}, {10, 0}, {0, 10}}), 0.0);
}

TEST(CornerArea, RoundsToThreeDecimalsHalvesToEven) {
    // Triangles of 0.0005, 0.0015 and 0.0025 square metres.
    const double half = survey::cornerArea(std::vector<Corner>{{0, 0}, {0, 1}, {0.001, 0}});
    EXPECT_EQ(half, 0.0);
    EXPECT_FALSE(std::signbit(half));
    EXPECT_EQ(survey::cornerArea(std::vector<Corner>{{0, 0}, {0, 1}, {0.003, 0}}), 0.002);
    EXPECT_EQ(survey::cornerArea(std::vector<Corner>{{0, 0}, {0, 1}, {0.005, 0}}), 0.002);
}

TEST(CornerArea, SumsTheTermsInTheirWrittenForm) {
    // Exactly this parcel has 51.3495 m², which would round to 51.35; summed
    // as (X[i] + X[i+1]) * (Y[i+1] - Y[i]) in doubles it comes to
    // 51.3494999999, which rounds to 51.349 (the cross-product form of the
    // same sum gives 51.3495000005 and so 51.35).
    const std::vector<Corner> parcel{
        {-34980.968, 12016.409}, {-34997.993, 12002.868}, {-34996.053, 12000.444}, {-34990.588, 12017.513}};
    EXPECT_EQ(survey::cornerArea(parcel), 51.349);
}

TEST(CornerArea, OverflowIsNotAFiniteArea) {
    EXPECT_FALSE(std::isfinite(survey::cornerArea(std::vector<Corner>{{1e308, 0}, {1e308, 1e308}, {0, 1e308}})));
    EXPECT_FALSE(std::isfinite(survey::cornerArea(std::vector<Corner>{{1e200, 0}, {1e200, 1e200}, {0, 1e200}})));
    const double inf = HUGE_VAL;
    EXPECT_FALSE(std::isfinite(survey::cornerArea(std::vector<Corner>{{inf, 0}, {0, 1}, {1, 1}})));
}

TEST(CornerAreaRecord, OneLinePerCornerThenTheArea) {
    struct Row {
        std::vector<Corner> corners;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {{{0, 0}, {0, 10}, {10, 10}, {10, 0}},
         {kSep, "--座標面積計算--", " 1 X 座標  0   Y 座標  0 ", " 2 X 座標  0   Y 座標  10 ",
          " 3 X 座標  10   Y 座標  10 ", " 4 X 座標  10   Y 座標  0 ", "面積  100 ㎡", kSep}},
        // Exactly 71.5625, rounded half to even.
        {{{-5, -7.25}, {0, 3}, {12.5, 0}},
         {kSep, "--座標面積計算--", " 1 X 座標 -5   Y 座標 -7.25 ", " 2 X 座標  0   Y 座標  3 ",
          " 3 X 座標  12.5   Y 座標  0 ", "面積  71.562 ㎡", kSep}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(survey::cornerAreaRecord(row.corners, survey::cornerArea(row.corners)).lines(), row.lines);
}
