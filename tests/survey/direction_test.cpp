// The direction and distance between two points, and their record.
#include "survey/direction.h"

#include <gtest/gtest.h>

#include "RecordRows.h"

namespace {

TEST(DirectionRecord, BoxesAsTypedThenAngleAndDistance) {
    // Base X, Y, back-sight X, Y.
    const RecordRow rows[] = {
        {{"0", "0", "100", "100"},
         {kSep, "基準 X 0", "基準 Y 0", "後視 X 100", "後視 Y 100", "方向角  45 - 0 - 0   距　離 141.421 m", kSep}},
        {{"100.0", "-20", "0", "-120"},
         {kSep, "基準 X 100.0", "基準 Y -20", "後視 X 0", "後視 Y -120", "方向角  225 - 0 - 0   距　離 141.421 m",
          kSep}},
        // Equal in value, typed differently: 45 degrees and no distance.
        {{"10", "20", "10.0", "20"},
         {kSep, "基準 X 10", "基準 Y 20", "後視 X 10.0", "後視 Y 20", "方向角  45 - 0 - 0   距　離 0 m", kSep}},
    };
    for (const RecordRow& row : rows) {
        const std::vector<std::string>& t = row.typed;
        const survey::DirectionInput in{
            {row.value(0), row.value(1)}, {row.value(2), row.value(3)}, {t[0], t[1], t[2], t[3]}};
        const survey::DirectionDistance r = survey::directionDistance(in.base, in.backsight, survey::degreeConstant());
        EXPECT_EQ(survey::directionRecord(in, r).lines(), row.lines) << t[2] << ", " << t[3];
    }
    // The line as the result files lay it out: 123°45′30″ and 100.123 m.
    EXPECT_EQ(survey::directionRecord({}, {123.7583, {123, 45, 30}, 100.123}).lines().at(5),
              "方向角  123 - 45 - 30   距　離 100.123 m");
}

}  // namespace
