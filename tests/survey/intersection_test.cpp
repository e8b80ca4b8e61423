// Intersections of two lines given by direction or included angles.
#include <gtest/gtest.h>

#include "survey/arith.h"
#include "survey/intersection.h"

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
    // The screen's own examples run through the screen; these are the
    // cases it does not show.
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

}  // namespace
