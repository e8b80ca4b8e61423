// Timings of the book of points in files at 100 000 points: writing and
// reading it as SIMA and as CSV (each to stay within 300 ms), and saving
// it whole into a folder of the benchmark's own.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "survey/bookfile.h"
#include "survey/resultfile.h"

namespace {

constexpr int kPoints = 100000;

// Plane-rectangular coordinates in millimetres, a name on each point and a
// height on every other, and one parcel a hundred points.
const survey::PointBook& largeBook() {
    static const survey::PointBook book = [] {
        survey::PointBook b;
        b.title = "現況測量 2024";
        for (int i = 1; i <= kPoints; ++i) {
            const double x = -35000.0 + i * 0.137 + (i % 1000) * 0.001;
            const double y = 12000.0 + i * 0.291 - (i % 777) * 0.001;
            b.put({i, "K" + std::to_string(i), x, y,
                   i % 2 ? std::optional<double>(25.0 + (i % 500) * 0.001) : std::nullopt});
        }
        for (int p = 0; p < kPoints / 100; ++p) {
            survey::BookParcel parcel{p + 1, "区画" + std::to_string(p + 1), {}};
            for (int c = 1; c <= 100; ++c) parcel.corners.push_back(p * 100 + c);
            b.addParcel(parcel);
        }
        return b;
    }();
    return book;
}

void BM_WriteSima(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(survey::writeSima(largeBook()).bytes.data());
}
BENCHMARK(BM_WriteSima)->Unit(benchmark::kMillisecond);

void BM_ReadSima(benchmark::State& state) {
    const std::string bytes = survey::writeSima(largeBook()).bytes;
    for (auto _ : state) {
        const survey::BookReading r = survey::readBook(bytes);
        if (!r.ok()) state.SkipWithError(r.error.c_str());
        benchmark::DoNotOptimize(r.book.points().data());
    }
}
BENCHMARK(BM_ReadSima)->Unit(benchmark::kMillisecond);

void BM_WriteCsv(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(survey::writeCsv(largeBook()).bytes.data());
}
BENCHMARK(BM_WriteCsv)->Unit(benchmark::kMillisecond);

void BM_ReadCsv(benchmark::State& state) {
    const std::string bytes = survey::writeCsv(largeBook()).bytes;
    for (auto _ : state) {
        const survey::BookReading r = survey::readBook(bytes);
        if (!r.ok()) state.SkipWithError(r.error.c_str());
        benchmark::DoNotOptimize(r.book.points().data());
    }
}
BENCHMARK(BM_ReadCsv)->Unit(benchmark::kMillisecond);

// What the user waits for after 保存: writing the bytes and putting them in
// place, flushed to the disk.
void BM_SaveSima(benchmark::State& state) {
    const std::filesystem::path file = survey::desktopFolder() / "座標簿.sim";
    std::filesystem::create_directories(file.parent_path());
    for (auto _ : state) {
        const survey::FileOutcome o = survey::saveBook(file, largeBook(), survey::BookFormat::Sima);
        if (!o.ok()) state.SkipWithError(o.reason.c_str());
    }
}
BENCHMARK(BM_SaveSima)->Unit(benchmark::kMillisecond);

}  // namespace
