// Timings of one area calculation at the largest corner list (10001
// corners): the area itself, building its record, turning the record into
// CP932 bytes and appending it to the result file.
#include <benchmark/benchmark.h>

#include <filesystem>

#include <vector>

#include "parcel.h"
#include "survey/area.h"
#include "survey/cp932.h"
#include "survey/resultfile.h"

namespace {

const std::vector<survey::Corner>& parcel() { return largestParcel(); }

void BM_CornerArea(benchmark::State& state) {
    const auto& corners = parcel();
    for (auto _ : state) benchmark::DoNotOptimize(survey::cornerArea(corners));
}
BENCHMARK(BM_CornerArea)->Unit(benchmark::kMicrosecond);

void BM_CornerAreaRecord(benchmark::State& state) {
    const auto& corners = parcel();
    const double area = survey::cornerArea(corners);
    for (auto _ : state) {
        survey::Record record = survey::cornerAreaRecord(corners, area);
        benchmark::DoNotOptimize(record.text().data());
    }
}
BENCHMARK(BM_CornerAreaRecord)->Unit(benchmark::kMicrosecond);

// The encoding the result file does before it touches the disk.
void BM_RecordToCp932(benchmark::State& state) {
    const auto& corners = parcel();
    const survey::Record record = survey::cornerAreaRecord(corners, survey::cornerArea(corners));
    std::string text;
    for (const std::string& line : record.lines()) text.append(line).append("\r\n");
    for (auto _ : state) {
        const survey::Cp932 enc = survey::toCp932(text);
        benchmark::DoNotOptimize(enc.bytes.data());
    }
}
BENCHMARK(BM_RecordToCp932)->Unit(benchmark::kMillisecond);

// What the user waits for after pressing 計算: area, record, encoding and
// the append, into a Desktop folder of the benchmark's own.
void BM_CalculateAndAppend(benchmark::State& state) {
    const auto& corners = parcel();
    const survey::ResultFile file("座標面積DATA.TXT");
    for (auto _ : state) {
        const double area = survey::cornerArea(corners);
        const survey::FileOutcome outcome = file.append(survey::cornerAreaRecord(corners, area));
        if (!outcome.ok()) state.SkipWithError(outcome.reason.c_str());
        state.PauseTiming();
        std::filesystem::remove(file.path());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CalculateAndAppend)->Unit(benchmark::kMillisecond);

}  // namespace
