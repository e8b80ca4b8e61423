// The two-end point, the midpoint, offset and division built on it, and
// their records.
#include "survey/twoend.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "survey/arith.h"

#include "RecordRows.h"

namespace {

using survey::Point;

const double kDeg = survey::degreeConstant();

void expectPoint(Point actual, Point expected, const std::string& what) {
    EXPECT_DOUBLE_EQ(actual.x, expected.x) << what;
    EXPECT_DOUBLE_EQ(actual.y, expected.y) << what;
    // Truncation never leaves a negative zero behind.
    EXPECT_FALSE(std::signbit(actual.x) && actual.x == 0.0) << what;
    EXPECT_FALSE(std::signbit(actual.y) && actual.y == 0.0) << what;
}

TEST(TwoEndPoint, WalksFromBothEndsAndTakesTheMean) {
    struct Row {
        Point a, b;
        double s, r;
        Point expected;
        const char* what;
    };
    const Row rows[] = {
        {{0, 0}, {100, 0}, 10, 10, {50, 0}, "walks that do not meet average to the middle"},
        {{0, 0}, {100, 0}, -10, 110, {-10, 0}, "a negative walk goes behind A"},
        {{100, 0}, {0, 0}, 50, 50, {50, 0}, "due south: the way back is 360, not 0"},
        {{0, 100}, {0, 0}, 50, 50, {0, 50}, "due west"},
        {{7, -3}, {7, -3}, 0, 0, {7, -3}, "A = B"},
        {{7, -3}, {7, -3}, 2, 2, {7, -3}, "A = B: the walks cancel along 45 and 225 degrees"},
        {{0, 0}, {24.69134, 24.69134}, 17.4594, 17.4594, {12.3456, 12.3456}, "truncated, not rounded"},
        {{0, 0}, {-24.69134, -24.69134}, 17.4594, 17.4594, {-12.3456, -12.3456}, "toward zero"},
    };
    for (const Row& row : rows)
        expectPoint(survey::twoEndPoint(row.a, row.b, row.s, row.r, kDeg), row.expected, row.what);
}

TEST(TwoEndPoint, NonFiniteInputGivesNonFiniteCoordinates) {
    // The mean of two coordinates near the largest double overflows.
    const Point p = survey::twoEndPoint({1.7e308, 0}, {1.7e308, 1}, 0.5, 0.5, kDeg);
    EXPECT_FALSE(std::isfinite(p.x));
    EXPECT_FALSE(std::isfinite(survey::twoEndPoint({0, 0}, {1, 1}, HUGE_VAL, 0, kDeg).x));
}

TEST(SectionCount, WholeNumbersFromTwoToAThousandReadStrictly) {
    const std::pair<const char*, std::optional<int>> rows[] = {
        {"2", 2},    {"3", 3},   {"1000", 1000}, {"3.0", 3},        {" 7 ", 7},   {"1e3", 1000},
        {"2.5", {}}, {"-3", {}}, {"1", {}},      {"0", {}},         {"1001", {}}, {"12abc", {}},
        {"abc", {}}, {"", {}},   {"1e400", {}},  {"2.0000001", {}},
    };
    for (const auto& [text, expected] : rows) EXPECT_EQ(survey::sectionCount(text), expected) << '"' << text << '"';
}

TEST(Divide, ProductsOfTheSectionTruncatedToFourDecimals) {
    // 10 / 3: 3.3333 and 6.6666, where rounding would give 6.6667.
    const std::optional<survey::Division> d = survey::divide({0, 0}, {0, -10}, 3, kDeg);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->points[1].distance, 6.6666);
    expectPoint(d->points[1].point, {0, -6.6666}, "due west, truncated toward zero");
}

TEST(Divide, AThousandSectionsAndTheLimits) {
    const std::optional<survey::Division> d = survey::divide({0, 0}, {1000, 1000}, 1000, kDeg);
    ASSERT_TRUE(d);
    ASSERT_EQ(d->points.size(), 999u);
    // Each a product of the section, so the last is not off by 999 sums.
    EXPECT_EQ(d->points[998].distance, survey::truncateTo(999 * (d->length / 1000), 4));
    expectPoint(d->points[998].point, {999, 999}, "999th of 1000");

    for (int n : {-3, 0, 1, 1001}) EXPECT_FALSE(survey::divide({0, 0}, {1, 1}, n, kDeg)) << n;
    EXPECT_FALSE(survey::divide({1e308, 0}, {-1e308, 0}, 3, kDeg)) << "overflow";
}

TEST(Divide, TwoSectionsGiveTheMidpoint) {
    const Point a{-35012.345, 12034.567}, b{-34987.1, 12101.99};
    const std::optional<survey::Division> d = survey::divide(a, b, 2, kDeg);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->points[0].distance, 35.9971);
    expectPoint(d->points[0].point, survey::midpoint(a, b, kDeg), "2 sections");
}

// ---- Records: rows of typed boxes (A, B, then the offset or count) ----------

Point baseA(const RecordRow& row) { return {row.value(0), row.value(1)}; }
Point baseB(const RecordRow& row) { return {row.value(2), row.value(3)}; }
survey::TypedBase typedBase(const RecordRow& row) { return {row.typed[0], row.typed[1], row.typed[2], row.typed[3]}; }

TEST(MidpointRecord, BaseAsTypedThenThePoint) {
    const RecordRow rows[] = {
        {{"0", "0", "100", "50"},
         {kSep, "基準A-X 0", "基準A-Y 0", "基準B-X 100", "基準B-Y 50", "X 座標  50   Y 座標  25 ", kSep}},
        // Letters are written as typed and count as their leading number.
        {{"12abc", "xyz", "20", "-4"},
         {kSep, "基準A-X 12abc", "基準A-Y xyz", "基準B-X 20", "基準B-Y -4", "X 座標  16   Y 座標 -2 ", kSep}},
    };
    for (const RecordRow& row : rows) {
        const Point m = survey::midpoint(baseA(row), baseB(row), kDeg);
        EXPECT_EQ(survey::midpointRecord(typedBase(row), m).lines(), row.lines) << row.typed[0];
    }
}

TEST(OffsetRecord, OffsetAndBaseAsTypedThenThePoint) {
    const RecordRow rows[] = {
        {{"0", "0", "100", "0", "25"},
         {kSep, "ｵﾌｾｯﾄ 25m", "基準A-X 0", "基準A-Y 0", "基準B-X 100", "基準B-Y 0", "X 座標  25   Y 座標  0 ", kSep}},
        // Behind A.
        {{"0", "0", "100", "0", "-10"},
         {kSep, "ｵﾌｾｯﾄ -10m", "基準A-X 0", "基準A-Y 0", "基準B-X 100", "基準B-Y 0", "X 座標 -10   Y 座標  0 ", kSep}},
    };
    for (const RecordRow& row : rows) {
        const Point p = survey::offsetPoint(baseA(row), baseB(row), row.value(4), kDeg);
        EXPECT_EQ(survey::offsetRecord(typedBase(row), row.typed[4], p).lines(), row.lines) << row.typed[4];
    }
}

TEST(DivisionRecord, CountAndBaseAsTypedThenOneLinePerPoint) {
    const RecordRow rows[] = {
        {{"0", "0", "90", "0", "3"},
         {kSep, "分割数 3", "基準A-X 0", "基準A-Y 0", "基準B-X 90", "基準B-Y 0", "",
          " 1  点目   距離  30    X 座標  30    Y 座標  0 ", " 2  点目   距離  60    X 座標  60    Y 座標  0 ", kSep}},
        // A = B: the point lies on A at distance 0.
        {{"5", "-5", "5", "-5", "2.0"},
         {kSep, "分割数 2.0", "基準A-X 5", "基準A-Y -5", "基準B-X 5", "基準B-Y -5", "",
          " 1  点目   距離  0    X 座標  5    Y 座標 -5 ", kSep}},
    };
    for (const RecordRow& row : rows) {
        const std::optional<int> n = survey::sectionCount(row.typed[4]);
        ASSERT_TRUE(n) << row.typed[4];
        const auto d = survey::divide(baseA(row), baseB(row), *n, kDeg);
        ASSERT_TRUE(d) << row.typed[4];
        EXPECT_EQ(survey::divisionRecord(typedBase(row), row.typed[4], d->points).lines(), row.lines);
    }
}

}  // namespace
