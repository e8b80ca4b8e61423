// The 10001-corner area calculation with its append, against its floor:
// the same bytes made the plainest way there is, in one pass with
// std::to_chars, one encoder call and one write. Each iteration runs both,
// in turn first, so the machine's load falls on both alike; the counters
// give the median of each and their ratio.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "Floor.h"
#include "parcel.h"
#include "survey/area.h"
#include "survey/resultfile.h"

namespace {

// The record's text in one pass. Only right for numbers whose shortest form
// has at most 15 digits and no exponent, as this parcel's have.
std::string floorText(const std::vector<survey::Corner>& corners, double area) {
    floorbench::Text text(corners.size() * 80 + 512);
    const std::string separator = std::string(82, '-') + "\r\n";
    text.put(separator).put("--座標面積計算--\r\n");
    for (std::size_t k = 0; k < corners.size(); ++k)
        text.number(double(k + 1))
            .put("X 座標 ")
            .number(corners[k].x)
            .put("  Y 座標 ")
            .number(corners[k].y)
            .put("\r\n");
    text.put("面積 ").number(area).put("㎡\r\n").put(separator);
    return text.done();
}

void BM_LargeRecordAgainstFloor(benchmark::State& state) {
    const auto& corners = largestParcel();
    const survey::ResultFile file("座標面積DATA.TXT");
    floorbench::againstFloor(
        state, file.path(),
        [&] { return file.append(survey::cornerAreaRecord(corners, survey::cornerArea(corners))).ok(); },
        [&](const std::filesystem::path& path) {
            floorbench::appendCp932(floorText(corners, survey::cornerArea(corners)), path);
        });
}
BENCHMARK(BM_LargeRecordAgainstFloor)->Unit(benchmark::kMillisecond);

}  // namespace
