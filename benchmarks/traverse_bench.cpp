// Timings of one connecting-traverse calculation at the longest station
// list (21 pairs): the adjustment, building the report, and what the user
// waits for after pressing 計算 (both, and the append to the result file).
#include <benchmark/benchmark.h>

#include <filesystem>

#include <vector>

#include "survey/resultfile.h"
#include "survey/traverse.h"

namespace {

// A winding traverse of 20 legs far from the origin, with angles and
// distances as a surveyor types them, and a closure of a few seconds.
struct Fixture {
    survey::TraverseKnown known;
    std::vector<survey::Station> stations;
};

const Fixture& fullTraverse() {
    static const Fixture f = [] {
        Fixture out;
        out.known.surveyClass = 3;
        out.known.xA = -35012.345;
        out.known.yA = 12034.567;
        out.known.alphaPacked = 123.4510;
        out.known.alphaTyped = "123.4510";
        const double packedAngles[] = {165.1220, 192.4405, 178.0130, 201.3550, 159.2715, 184.5940, 176.0820,
                                       188.3305, 170.4450, 195.1015, 182.2230, 163.5805, 199.0740, 174.3620,
                                       186.4955, 179.1110, 191.2825, 168.5345, 185.0600, 177.4830, 190.0015};
        for (std::size_t i = 0; i < survey::kMaxStations; ++i) {
            const double distance = i + 1 < survey::kMaxStations ? 80.0 + 7.123 * double(i % 7) : 0.0;
            out.stations.push_back({survey::packedToDegrees(packedAngles[i]), distance});
        }
        // B about where the legs end, a few centimetres off.
        const auto open = survey::adjustTraverse(out.known, out.stations, survey::degreeConstant());
        out.known.xB = open->perStation.back().x + 0.021;
        out.known.yB = open->perStation.back().y - 0.013;
        out.known.betaPacked = 45.3020;
        return out;
    }();
    return f;
}

void BM_TraverseAdjust(benchmark::State& state) {
    const Fixture& f = fullTraverse();
    for (auto _ : state) {
        auto t = survey::adjustTraverse(f.known, f.stations, survey::degreeConstant());
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(BM_TraverseAdjust)->Unit(benchmark::kMicrosecond);

void BM_TraverseReport(benchmark::State& state) {
    const Fixture& f = fullTraverse();
    const auto t = survey::adjustTraverse(f.known, f.stations, survey::degreeConstant());
    for (auto _ : state) {
        survey::Record record = survey::traverseReport(*t);
        benchmark::DoNotOptimize(record.lines().data());
    }
}
BENCHMARK(BM_TraverseReport)->Unit(benchmark::kMicrosecond);

void BM_TraverseAdjustAndReport(benchmark::State& state) {
    const Fixture& f = fullTraverse();
    for (auto _ : state) {
        survey::Record record =
            survey::traverseReport(*survey::adjustTraverse(f.known, f.stations, survey::degreeConstant()));
        benchmark::DoNotOptimize(record.lines().data());
    }
}
BENCHMARK(BM_TraverseAdjustAndReport)->Unit(benchmark::kMicrosecond);

// The whole press of 計算: adjustment, report, CP932 and the append, into a
// Desktop folder of the benchmark's own.
void BM_TraverseCalculateAndAppend(benchmark::State& state) {
    const Fixture& f = fullTraverse();
    const survey::ResultFile file("結合ﾄﾗﾊﾞｰｽDATA.TXT");
    for (auto _ : state) {
        const auto t = survey::adjustTraverse(f.known, f.stations, survey::degreeConstant());
        const survey::FileOutcome outcome = file.append(survey::traverseReport(*t));
        if (!outcome.ok()) state.SkipWithError(outcome.reason.c_str());
        state.PauseTiming();
        std::filesystem::remove(file.path());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TraverseCalculateAndAppend)->Unit(benchmark::kMicrosecond);

}  // namespace
