#include "survey/traverse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using survey::Station;
using survey::TraverseKnown;

namespace {

const std::string kSeparator(82, '-');

// Pairs as typed: the packed angle and the distance.
struct Typed {
    double packedAngle;
    double distance;
};

std::vector<Station> stationsOf(const std::vector<Typed>& typed) {
    std::vector<Station> out;
    for (const Typed& t : typed) out.push_back({survey::packedToDegrees(t.packedAngle), t.distance});
    return out;
}

// Known data as typed; Tα is read from its text like the screen reads it.
TraverseKnown knownOf(double surveyClass, double xA, double yA, double xB, double yB, const std::string& alpha,
                      double beta) {
    return {surveyClass, xA, yA, xB, yB, survey::leadingNumber(alpha), beta, alpha};
}

// The worked example: class 3, A (1000, 1000), B (1109.004, 1371.607),
// Tα 240, Tβ 80, and the four pairs below.
TraverseKnown workedKnown() { return knownOf(3, 1000, 1000, 1109.004, 1371.607, "240", 80); }

const std::vector<Typed> kWorkedPairs{{180.0010, 150.010}, {215, 120}, {154.5950, 129.995}, {190.0020, 0}};

std::optional<survey::Traverse> adjust(const TraverseKnown& k, const std::vector<Typed>& pairs) {
    return survey::adjustTraverse(k, stationsOf(pairs), survey::degreeConstant());
}

std::vector<std::string> reportOf(const TraverseKnown& k, const std::vector<Typed>& pairs) {
    const auto t = adjust(k, pairs);
    if (!t) return {"<refused>"};
    return survey::traverseReport(*t).lines();
}

// Line `number` of a report, counted from 1 as the user reads the file.
std::string line(const std::vector<std::string>& report, std::size_t number) {
    return number <= report.size() ? report[number - 1] : "<no line " + std::to_string(number) + ">";
}

// Lines of a report by their number.
void expectLines(const std::vector<std::string>& report,
                 std::initializer_list<std::pair<std::size_t, std::string>> expected) {
    for (const auto& [number, text] : expected) EXPECT_EQ(line(report, number), text) << "line " << number;
}

}  // namespace

TEST(TraverseReport, WorkedExampleLineByLine) {
    const std::vector<std::string> expected{
        kSeparator,
        "区分 3 級基準点測量",
        "閉合差許容範囲   0 - 0 - 40 ",
        "方向角閉合差   + 0 - 0 - 20 ",
        "基準A-X  1000 ",
        "基準A-Y  1000 ",
        "Tα 240",
        "基準B-X  1109.004 ",
        "基準B-Y  1371.607 ",
        "Tβ  80 ",
        "",
        "X 誤差  .009   Y 誤差  .002 ",
        "閉合誤差  .009 ",
        "1 : 44445 ",
        "",
        " A → 1 :調整交角  180 - 0 - 5 ",
        "         距　離  150.01 ",
        "         方向角  60 - 0 - 5 ",
        "         緯　距  75.002   経　距  129.914 ",
        "         調緯距  74.998   調経距  129.913 ",
        "         X　座標  1075.002   Y　座標  1129.914 ",
        "         合緯距X  1074.998   合経距Y  1129.913 ",
        " 1 → 2 :調整交角  214 - 59 - 55 ",
        "         距　離  120 ",
        "         方向角  95 - 0 - 0 ",
        "         緯　距 -10.459   経　距  119.543 ",
        "         調緯距 -10.461   調経距  119.543 ",
        "         X　座標  1064.543   Y　座標  1249.458 ",
        "         合緯距X  1064.537   合経距Y  1249.456 ",
        " 2 → B :調整交角  154 - 59 - 45 ",
        "         距　離  129.995 ",
        "         方向角  69 - 59 - 45 ",
        "         緯　距  44.47   経　距  122.152 ",
        "         調緯距  44.467   調経距  122.151 ",
        "         X　座標  1109.013   Y　座標  1371.61 ",
        "         合緯距X  1109.004   合経距Y  1371.607 ",
        " B → D :調整交角  190 - 0 - 15 ",
        "         方向角  80 - 0 - 0 ",
        kSeparator,
    };
    const std::vector<std::string> report = reportOf(workedKnown(), kWorkedPairs);
    ASSERT_EQ(report.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(report[i], expected[i]) << "line " << i + 1;
}

TEST(TraverseAdjustment, WorkedExampleWorkingValues) {
    const auto t = adjust(workedKnown(), kWorkedPairs);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->stations, 4u);
    // W = 360°0′20″ before the reduction by one turn; c = 5″.
    EXPECT_NEAR(t->closure * 3600, 20, 1e-9);
    EXPECT_NEAR(t->correction * 3600, 5, 1e-9);
    EXPECT_DOUBLE_EQ(t->length, 400.005);
    EXPECT_EQ(t->ratio, 44445.0);
    // The compass rule closes the chain on B.
    EXPECT_EQ(t->perStation[2].adjustedX, 1109.004);
    EXPECT_EQ(t->perStation[2].adjustedY, 1371.607);
    // B carries no leg: its empty distance adds nothing.
    EXPECT_EQ(t->perStation[3].dX, 0.0);
    EXPECT_EQ(t->perStation[3].adjustedX, 1109.004);
}

TEST(TraverseReport, TurnedThrough180DegreesKeepsClosureAndAngles) {
    const std::vector<std::string> report = reportOf(knownOf(3, 1000, 1000, 890.996, 628.393, "60", 260), kWorkedPairs);
    ASSERT_EQ(report.size(), 39u);
    expectLines(report, {{4, "方向角閉合差   + 0 - 0 - 20 "},
                         {7, "Tα 60"},
                         {12, "X 誤差 -.009   Y 誤差 -.002 "},
                         {16, " A → 1 :調整交角  180 - 0 - 5 "},
                         {23, " 1 → 2 :調整交角  214 - 59 - 55 "},
                         {30, " 2 → B :調整交角  154 - 59 - 45 "},
                         {37, " B → D :調整交角  190 - 0 - 15 "},
                         {18, "         方向角  240 - 0 - 5 "},
                         {25, "         方向角  275 - 0 - 0 "},
                         {32, "         方向角  249 - 59 - 45 "},
                         {38, "         方向角  260 - 0 - 0 "},
                         {35, "         X　座標  890.987   Y　座標  628.39 "},
                         {36, "         合緯距X  890.996   合経距Y  628.393 "}});
}

TEST(TraverseReport, NegativeClosureAddsToEveryAngle) {
    // The angle at B read 40″ less: the angles are 20″ short in total.
    std::vector<Typed> pairs = kWorkedPairs;
    pairs[3].packedAngle = 189.5940;
    const auto t = adjust(workedKnown(), pairs);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->closureSign, '-');
    const std::vector<std::string> report = survey::traverseReport(*t).lines();
    expectLines(report, {{4, "方向角閉合差   - 0 - 0 - 20 "},
                         {16, " A → 1 :調整交角  180 - 0 - 15 "},
                         {23, " 1 → 2 :調整交角  215 - 0 - 5 "},
                         {30, " 2 → B :調整交角  154 - 59 - 55 "},
                         {37, " B → D :調整交角  189 - 59 - 45 "}});
    // After the adjustment B → D points along Tβ again.
    EXPECT_EQ(line(report, 38), "         方向角  80 - 0 - 0 ");
}

TEST(TraverseReport, ThreePairsMakeTwoLegsAndB) {
    // East from A through station 1 to B; B lies 2 mm north and 5 mm west
    // of where the measurements end.
    const std::vector<std::string> report =
        reportOf(knownOf(1, 0, 0, 0.002, 199.995, "0", 0), {{90, 100}, {180, 100}, {90, 0}});
    ASSERT_EQ(report.size(), 15u + 7 * 2 + 3);
    expectLines(report, {{4, "方向角閉合差   + 0 - 0 - 0 "},
                         {12, "X 誤差 -.002   Y 誤差  .005 "},
                         {13, "閉合誤差  .005 "},
                         {14, "1 : 40000 "},
                         {16, " A → 1 :調整交角  90 - 0 - 0 "},
                         {23, " 1 → B :調整交角  180 - 0 - 0 "},
                         {29, "         合緯距X  .002   合経距Y  199.995 "},
                         {30, " B → D :調整交角  90 - 0 - 0 "},
                         {31, "         方向角  0 - 0 - 0 "},
                         {32, kSeparator}});
}

TEST(TraverseReport, ToleranceByClass) {
    struct Row {
        double surveyClass;
        const char* classLine;
        const char* toleranceLine;
    };
    // Four pairs: √n = 2.
    const Row rows[] = {
        {1, "区分 1 級基準点測量", "閉合差許容範囲   0 - 0 - 16 "},
        {2, "区分 2 級基準点測量", "閉合差許容範囲   0 - 0 - 20 "},
        {3, "区分 3 級基準点測量", "閉合差許容範囲   0 - 0 - 40 "},
        {4, "区分 4 級基準点測量", "閉合差許容範囲   0 - 1 - 40 "},
        {0, "区分 0 級基準点測量", "閉合差許容範囲   0 - 0 - 0 "},  // an empty class box
        {5, "区分 5 級基準点測量", "閉合差許容範囲   0 - 0 - 0 "},
        {2.5, "区分 2.5 級基準点測量", "閉合差許容範囲   0 - 0 - 0 "},
        {-3, "区分-3 級基準点測量", "閉合差許容範囲   0 - 0 - 0 "},
    };
    for (const Row& row : rows) {
        TraverseKnown k = workedKnown();
        k.surveyClass = row.surveyClass;
        const std::vector<std::string> report = reportOf(k, kWorkedPairs);
        EXPECT_EQ(line(report, 2), row.classLine);
        EXPECT_EQ(line(report, 3), row.toleranceLine);
    }
    // Nine pairs of a straight line: 50″ × 3.
    std::vector<Typed> straight(8, {180, 100});
    straight.push_back({180, 0});
    straight[0].packedAngle = 0;
    EXPECT_EQ(line(reportOf(knownOf(4, 0, 0, 800, 0, "0", 0), straight), 3), "閉合差許容範囲   0 - 2 - 30 ");
}

TEST(TraverseReport, DirectionsLeavingATurnAreWrittenReduced) {
    // α0 = 10 + 100 = 110, α1 = 110 + 39°30′ - 180 = -30.5, α2 = -30.5 +
    // 200°30′ - 180 = -10; W = 10 - 350 + 340 - 360 = -360, one turn: 0.
    const auto t = adjust(knownOf(0, 0, 0, 0, 0, "10", 350), {{100, 50}, {39.3000, 50}, {200.3000, 0}});
    ASSERT_TRUE(t);
    EXPECT_DOUBLE_EQ(t->perStation[1].direction, -30.5);
    EXPECT_EQ(t->closure, 0.0);
    const std::vector<std::string> report = survey::traverseReport(*t).lines();
    expectLines(report, {{4, "方向角閉合差   + 0 - 0 - 0 "},
                         {25, "         方向角  329 - 30 - 0 "},
                         {31, "         方向角  350 - 0 - 0 "}});

    // Past 360: α0 = 300 + 0 → 300, α1 = 300 + 270 - 180 = 390 → 30.
    const auto past = adjust(knownOf(0, 0, 0, 0, 0, "300", 300), {{0, 10}, {270, 10}, {90, 0}});
    ASSERT_TRUE(past);
    EXPECT_DOUBLE_EQ(past->perStation[1].direction, 390);
    EXPECT_EQ(line(survey::traverseReport(*past).lines(), 25), "         方向角  30 - 0 - 0 ");
}

TEST(TraverseReport, SignMarkOfTheClosure) {
    struct Row {
        double packedAngleAtB;  // the other three as in the worked example
        const char* closureLine;
    };
    const Row rows[] = {
        {190.0020, "方向角閉合差   + 0 - 0 - 20 "}, {189.5940, "方向角閉合差   - 0 - 0 - 20 "},
        {190.0000, "方向角閉合差   + 0 - 0 - 0 "},   // W = 0 exactly
        {189.59596, "方向角閉合差   + 0 - 0 - 0 "},  // W = -0.4″: written as 0, so "+"
        {189.59594, "方向角閉合差   - 0 - 0 - 1 "},  // W = -0.6″
    };
    for (const Row& row : rows) {
        std::vector<Typed> pairs = kWorkedPairs;
        pairs[3].packedAngle = row.packedAngleAtB;
        EXPECT_EQ(line(reportOf(workedKnown(), pairs), 4), row.closureLine) << row.packedAngleAtB;
    }

    // A traverse that closes exactly, whose sum of doubles leaves W a hair
    // below zero.
    const auto hair =
        adjust(knownOf(0, 0, 0, 0, 0, "90.35", 53.382), {{237.34, 10}, {217.382, 10}, {158.4, 10}, {249.11, 0}});
    ASSERT_TRUE(hair);
    ASSERT_LT(hair->closure, 0.0);
    ASSERT_GT(hair->closure, -1e-9);
    EXPECT_EQ(hair->closureSign, '+');
    EXPECT_EQ(line(survey::traverseReport(*hair).lines(), 4), "方向角閉合差   + 0 - 0 - 0 ");
}

TEST(TraverseReport, ZeroClosureDistanceLeavesTheRatioOut) {
    // B exactly where the measurements end (to the millimetre).
    const std::vector<std::string> report =
        reportOf(knownOf(3, 1000, 1000, 1109.013, 1371.61, "240", 80), kWorkedPairs);
    ASSERT_EQ(report.size(), 39u);
    expectLines(report, {{13, "閉合誤差  0 "}, {14, "1 :"}, {15, ""}, {16, " A → 1 :調整交角  180 - 0 - 5 "}});
}

TEST(TraverseAdjustment, RefusedTraverses) {
    const TraverseKnown k = workedKnown();
    // Too few pairs.
    EXPECT_FALSE(adjust(k, {}));
    EXPECT_FALSE(adjust(k, {{180, 100}, {180, 0}}));
    // No length to share the closure by (also when the distances cancel).
    EXPECT_FALSE(adjust(k, {{180, 0}, {180, 0}, {180, 0}}));
    EXPECT_FALSE(adjust(k, {{180, 10}, {180, -10}, {180, 0}}));
    // Absurd coordinates and angles.
    TraverseKnown far = k;
    far.xA = 1e308;
    far.xB = -1e308;
    EXPECT_FALSE(adjust(far, kWorkedPairs));
    far = k;
    far.yA = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(adjust(far, kWorkedPairs));
    EXPECT_FALSE(adjust(k, {{1e308, 100}, {1e308, 100}, {180, 0}}));
    EXPECT_FALSE(adjust(k, {{180, 1e308}, {180, 1e308}, {180, 0}}));
}
