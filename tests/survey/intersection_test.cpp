// Intersections of two lines given by direction or included angles.
#include <gtest/gtest.h>

#include <utility>

#include "survey/arith.h"
#include "survey/intersection.h"

#include "RecordRows.h"

namespace {

using survey::LineAngles;
using survey::Point;

struct Row {
    LineAngles kind;
    Point a;
    double angleA;
    Point b;
    double angleB;
    double x, y, ap, bp;
};

TEST(IntersectLines, BothModes) {
    const LineAngles dir = LineAngles::Direction, inc = LineAngles::Included;
    // The screen's examples are the record rows below; these are the
    // cases they do not show.
    const Row rows[] = {
        {dir, {0, 0}, 90, {100, 50}, 180, 0, 50, 50, 100},
        // 45 30 and 134 30, split as typed (45.3000 is just below in binary).
        {dir, {0, 0}, 45.3000, {0, 100}, 134.3000, 49.1349, 50, 70.1016, 70.1016},
        {inc, {100, 0}, 45, {0, 0}, 315, 50, -50, 70.7107, 70.7107},  // T = 180: B's line past 360
    };
    const double c = survey::degreeConstant();
    for (const Row& r : rows) {
        const auto found = survey::intersectLines(r.a, r.angleA, r.b, r.angleB, r.kind, c);
        SCOPED_TRACE(r.angleA);
        ASSERT_TRUE(found.has_value());
        EXPECT_DOUBLE_EQ(found->p.x, r.x);
        EXPECT_DOUBLE_EQ(found->p.y, r.y);
        EXPECT_DOUBLE_EQ(found->ap, r.ap);
        EXPECT_DOUBLE_EQ(found->bp, r.bp);
    }
}

TEST(IntersectLines, ParallelOrAbsurdLinesHaveNoIntersection) {
    const double c = survey::degreeConstant();
    const Point a{0, 0}, b{100, 0};
    EXPECT_FALSE(survey::intersectLines(a, 45, b, 45, LineAngles::Direction, c));
    EXPECT_FALSE(survey::intersectLines(a, 0, b, 180, LineAngles::Direction, c));
    EXPECT_FALSE(survey::intersectLines(a, 10, b, 10, LineAngles::Included, c));
    EXPECT_FALSE(survey::intersectLines({1e308, 0}, 45, {-1e308, 0}, 135, LineAngles::Direction, c));
    // One second of arc apart is far from parallel enough to be found.
    const auto far = survey::intersectLines(a, 45, b, 45.0001, LineAngles::Direction, c);
    ASSERT_TRUE(far.has_value());
    EXPECT_GT(far->ap, 1e6);
}

TEST(IntersectionRecord, TheKindTheBoxesAsTypedAndThePoint) {
    // A's X, Y and angle, then B's.
    const std::pair<LineAngles, RecordRow> rows[] = {
        {LineAngles::Direction,
         {{"0", "0", "45", "100", "0", "135"},
          {kSep, "---交点　方向角計算---", "基点A-X 0  基点A-Y 0  A 角度 45", "基点B-X 100  基点B-Y 0  B 角度 135",
           "求点 X  50   AP距離  70.7107 m", "求点 Y  50   BP距離  70.7107 m", kSep}}},
        {LineAngles::Included,
         {{"0", "0", "315.0000", "100", "0", "45"},
          {kSep, "---交点　夾角計算---", "基点A-X 0  基点A-Y 0  A 角度 315.0000", "基点B-X 100  基点B-Y 0  B 角度 45",
           "求点 X  50   AP距離  70.7107 m", "求点 Y -50   BP距離  70.7107 m", kSep}}},
    };
    for (const auto& [kind, row] : rows) {
        const std::vector<std::string>& t = row.typed;
        const survey::IntersectionInput in{
            {row.value(0), row.value(1)},        row.value(2), {row.value(3), row.value(4)}, row.value(5), kind,
            {t[0], t[1], t[2], t[3], t[4], t[5]}};
        const auto found = survey::intersectLines(in.a, in.angleA, in.b, in.angleB, in.kind, survey::degreeConstant());
        ASSERT_TRUE(found.has_value()) << t[2];
        EXPECT_EQ(survey::intersectionRecord(in, *found).lines(), row.lines) << t[2];
    }
}

}  // namespace
