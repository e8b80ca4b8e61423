// The inverse traverse as a pure function.
#include <gtest/gtest.h>

#include <cmath>

#include "survey/arith.h"
#include "survey/inverse.h"

#include "RecordRows.h"

namespace {

using survey::Point;

struct InverseRow {
    const char* what;
    Point station, backsight, target;
    int d, m, s;
    double distance;
};

TEST(InverseTraverse, AnglesClockwiseFromTheBacksight) {
    const InverseRow rows[] = {
        {"example", {0, 0}, {100, 0}, {0, 100}, 90, 0, 0, 100},
        {"backsight direction above the target's", {10, 10}, {10, -90}, {110, 10}, 90, 0, 0, 100},
        // 10°29′59.6″: the seconds carry into the minutes.
        {"seconds carry", {0, 0}, {100, 0}, {98.32552609632094, 18.223361871007995}, 10, 30, 0, 100},
        // 359°59′59.6″: the seconds carry through the minutes to a full turn.
        {"second carry to zero", {0, 0}, {100, 0}, {100, -0.000193925}, 0, 0, 0, 100},
        // 30.5″ and 31.5″ go to the even second.
        {"half second down", {0, 0}, {100, 0}, {99.99999890675018, 0.01478681721995523}, 0, 0, 30, 100},
        {"half second up", {0, 0}, {100, 0}, {99.99999883388644, 0.015271630895588865}, 0, 0, 32, 100},
        // Zero differences are nudged: a target on the station lies at 45°.
        {"target on the station", {5, 5}, {105, 5}, {5, 5}, 45, 0, 0, 0},
    };
    const double c = survey::degreeConstant();
    for (const InverseRow& r : rows) {
        SCOPED_TRACE(r.what);
        const survey::InverseTraverse t = survey::inverseTraverse(r.station, r.backsight, r.target, c);
        EXPECT_GE(t.angle, 0.0);
        EXPECT_LE(t.angle, 360.0);
        EXPECT_EQ(t.dms.d, r.d);
        EXPECT_EQ(t.dms.m, r.m);
        EXPECT_EQ(t.dms.s, r.s);
        EXPECT_DOUBLE_EQ(t.distance, r.distance);
    }
}

TEST(InverseTraverse, CoordinatesBeyondADoubleAreNotFinite) {
    const double c = survey::degreeConstant();
    // The distance overflows, the angle does not.
    survey::InverseTraverse t = survey::inverseTraverse({1e308, 0}, {0, 0}, {-1e308, 0}, c);
    EXPECT_FALSE(std::isfinite(t.distance));
    // An infinite station leaves no direction at all.
    t = survey::inverseTraverse({INFINITY, 0}, {0, 0}, {INFINITY, 5}, c);
    EXPECT_FALSE(std::isfinite(t.angle));
    EXPECT_FALSE(std::isfinite(t.distance));
}

TEST(InverseRecord, BoxesAsTypedThenAngleAndDistance) {
    // Station, backsight, target: X, Y each.
    const RecordRow rows[] = {
        {{"0", "0", "100", "0", "0", "100"},
         {kSep, "基準 X 0", "基準 Y 0", "後視 X 100", "後視 Y 0", "DATA X 0", "DATA Y 100",
          "角　度  90 - 0 - 0   距　離  100 m", kSep}},
        // The distance to the millimetre.
        {{"0", "0", "100", "0", "12.3456", "0"},
         {kSep, "基準 X 0", "基準 Y 0", "後視 X 100", "後視 Y 0", "DATA X 12.3456", "DATA Y 0",
          "角　度  0 - 0 - 0   距　離  12.346 m", kSep}},
        // A backsight on the station in value, not as typed, lies at 45°.
        {{"0", "0", "0.0", "0", "0", "100"},
         {kSep, "基準 X 0", "基準 Y 0", "後視 X 0.0", "後視 Y 0", "DATA X 0", "DATA Y 100",
          "角　度  45 - 0 - 0   距　離  100 m", kSep}},
    };
    for (const RecordRow& row : rows) {
        const std::vector<std::string>& t = row.typed;
        const survey::InverseInput in{{row.value(0), row.value(1)},
                                      {row.value(2), row.value(3)},
                                      {row.value(4), row.value(5)},
                                      {t[0], t[1], t[2], t[3], t[4], t[5]}};
        const survey::InverseTraverse r =
            survey::inverseTraverse(in.station, in.backsight, in.target, survey::degreeConstant());
        EXPECT_EQ(survey::inverseRecord(in, r).lines(), row.lines) << t[2] << " " << t[4];
    }
}

}  // namespace
