// Carrying points between two plane systems.
#include <gtest/gtest.h>

#include <cmath>

#include "survey/arith.h"
#include "survey/transform.h"

#include "RecordRows.h"

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
        // dir1 > dir3, and t = 405 comes back to 45.
        {near300, near300, {10, 10}, {9.9999, 9.9999}, "identical systems"},
        {north, east, {0, 25}, {975, 2000}, "due east of the base"},
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

TEST(TransformRecord, BoxesAsTypedInPairsThenThePoint) {
    // Base and backsight in the first system, in the second, the point.
    const RecordRow rows[] = {
        // The distance 14.142 is rounded before it is carried over.
        {{"0", "0", "100", "0", "1000", "2000", "1000", "2100", "10.0", "10"},
         {kSep, "基準　X 0  基準　Y 0", "後視　X 100  後視　Y 0", "基準’X 1000  基準’Y 2000",
          "後視’X 1000  後視’Y 2100", "DA-X 10.0  DA-Y 10", "変換後 X  990.0001   変換後 Y 2009.9999 ", kSep}},
        // A quarter turn about the origin: a minus sign right after "変換後 Y".
        {{"0", "0", "100", "0", "0", "0", "0", "100", "-30", "40"},
         {kSep, "基準　X 0  基準　Y 0", "後視　X 100  後視　Y 0", "基準’X 0  基準’Y 0", "後視’X 0  後視’Y 100",
          "DA-X -30  DA-Y 40", "変換後 X -40   変換後 Y-30 ", kSep}},
    };
    for (const RecordRow& row : rows) {
        const std::vector<std::string>& t = row.typed;
        const survey::TransformInput in{{{row.value(0), row.value(1)}, {row.value(2), row.value(3)}},
                                        {{row.value(4), row.value(5)}, {row.value(6), row.value(7)}},
                                        {row.value(8), row.value(9)},
                                        {t[0], t[1], t[2], t[3], t[4], t[5], t[6], t[7], t[8], t[9]}};
        const Point q = survey::transformPoint(in.first, in.second, in.p, survey::degreeConstant());
        EXPECT_EQ(survey::transformRecord(in, q).lines(), row.lines) << t[8] << ", " << t[9];
    }
}

}  // namespace
