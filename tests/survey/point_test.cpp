// Single points and radial points as pure functions.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "survey/arith.h"
#include "survey/point.h"

#include "RecordRows.h"

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

TEST(ChainRecord, BoxesAsTypedAndThePointToTheMillimetre) {
    const RecordRow rows[] = {
        {{"0", "0", "45.0000", "100"},
         {kSep, "基準 X 0", "基準 Y 0", "方向角 45.0000", "距　離 100", "X座標  70.711   Y座標 70.711 ", kSep}},
        // The next leg starts from the point carried on unrounded.
        {{"70.7106781186548", "70.7106781186547", "135.0000", "100"},
         {kSep, "基準 X 70.7106781186548", "基準 Y 70.7106781186547", "方向角 135.0000", "距　離 100",
          "X座標  0   Y座標 141.421 ", kSep}},
        // sin 180° is not quite 0.
        {{"0", "0", "180", "10"},
         {kSep, "基準 X 0", "基準 Y 0", "方向角 180", "距　離 10", "X座標 -10   Y座標 0 ", kSep}},
    };
    for (const RecordRow& row : rows) {
        const std::vector<std::string>& t = row.typed;
        const survey::ChainInput in{{row.value(0), row.value(1)}, row.value(2), row.value(3), {t[0], t[1], t[2], t[3]}};
        const survey::Leg leg = survey::chainLeg(in.from, in.packedDirection, in.distance, survey::degreeConstant());
        EXPECT_EQ(survey::chainRecord(in, leg).lines(), row.lines) << t[2];
    }
}

TEST(RadialRecord, DirectionAndIncludedAngles) {
    // Four boxes: a direction angle; six: a backsight and an included angle.
    const RecordRow rows[] = {
        {{"0", "0", "45", "100"},
         {kSep, "--方向角計算--", "基準 X 0", "基準 Y 0", "角  度 45  距　離 100m",
          "X 座標  70.7107   Y 座標  70.7107 ", kSep}},
        // 90 degrees turned from a backsight due north: due east.
        {{"0", "0", "100", "0", "90", "100"},
         {kSep, "--夾角計算--", "基準 X 0", "基準 Y 0", "後視 X 100", "後視 Y 0", "角  度 90  距　離 100m",
          "X 座標  0   Y 座標  100 ", kSep}},
        // Backsight due south, 45 degrees more: 225 degrees.
        {{"0", "0", "-100", "0", "45", "100"},
         {kSep, "--夾角計算--", "基準 X 0", "基準 Y 0", "後視 X -100", "後視 Y 0", "角  度 45  距　離 100m",
          "X 座標 -70.7107   Y 座標 -70.7107 ", kSep}},
    };
    for (RecordRow row : rows) {
        const bool included = row.typed.size() == 6;
        if (!included) row.typed.insert(row.typed.begin() + 2, 2, "");
        const std::vector<std::string>& t = row.typed;
        survey::RadialInput in{{row.value(0), row.value(1)},
                               std::nullopt,
                               row.value(4),
                               row.value(5),
                               {t[0], t[1], t[2], t[3], t[4], t[5]}};
        if (included) in.backsight = Point{row.value(2), row.value(3)};
        const Point p =
            survey::radialPoint(in.station, in.backsight, in.packedAngle, in.distance, survey::degreeConstant());
        EXPECT_EQ(survey::radialRecord(in, p).lines(), row.lines) << t[2] << " " << t[4];
    }
}

}  // namespace
