// Timings of the largest division (1000 sections, 999 point lines): the
// points, the record, and the append that follows a press of 計算, next to
// writing the same bytes in one call and to the old way of one opening of
// the file for every line.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include <string>

#include "Floor.h"
#include "survey/cp932.h"
#include "survey/resultfile.h"
#include "survey/twoend.h"

namespace {

const survey::Point kA{-35012.345, 12034.567};
const survey::Point kB{-34511.902, 12987.001};
const survey::TypedBase kTyped{"-35012.345", "12034.567", "-34511.902", "12987.001"};
constexpr int kSections = survey::kMaxSections;

survey::Record largestRecord() {
    const auto division = survey::divide(kA, kB, kSections, survey::degreeConstant());
    return survey::divisionRecord(kTyped, std::to_string(kSections), division->points);
}

// The record as it lands in the file.
std::string recordBytes(const survey::Record& record) {
    std::string text;
    for (const std::string& line : record.lines()) text.append(line).append("\r\n");
    return survey::toCp932(text).bytes;
}

void BM_Divide1000(benchmark::State& state) {
    const double deg = survey::degreeConstant();
    for (auto _ : state) benchmark::DoNotOptimize(survey::divide(kA, kB, kSections, deg));
}
BENCHMARK(BM_Divide1000)->Unit(benchmark::kMicrosecond);

void BM_Divide1000Record(benchmark::State& state) {
    for (auto _ : state) {
        const survey::Record record = largestRecord();
        benchmark::DoNotOptimize(record.lines().data());
    }
}
BENCHMARK(BM_Divide1000Record)->Unit(benchmark::kMicrosecond);

// The encoding the result file does before it touches the disk.
void BM_Divide1000ToCp932(benchmark::State& state) {
    const survey::Record record = largestRecord();
    for (auto _ : state) benchmark::DoNotOptimize(recordBytes(record).data());
}
BENCHMARK(BM_Divide1000ToCp932)->Unit(benchmark::kMicrosecond);

// What the user waits for: points, record, encoding and the one append.
void BM_Divide1000AndAppend(benchmark::State& state) {
    const survey::ResultFile file("分割DATA.TXT");
    const double deg = survey::degreeConstant();
    for (auto _ : state) {
        const auto division = survey::divide(kA, kB, kSections, deg);
        const survey::FileOutcome outcome =
            file.append(survey::divisionRecord(kTyped, std::to_string(kSections), division->points));
        if (!outcome.ok()) state.SkipWithError(outcome.reason.c_str());
        state.PauseTiming();
        std::filesystem::remove(file.path());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Divide1000AndAppend)->Unit(benchmark::kMicrosecond);

// The same bytes, already encoded, written in one call.
void BM_SameBytesInOneWrite(benchmark::State& state) {
    const survey::ResultFile file("分割DATA.TXT");
    const std::string bytes = recordBytes(largestRecord());
    for (auto _ : state) {
        std::ofstream out(file.path(), std::ios::binary | std::ios::app);
        if (!out.write(bytes.data(), std::streamsize(bytes.size()))) state.SkipWithError("write failed");
        out.close();
        state.PauseTiming();
        std::filesystem::remove(file.path());
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(bytes.size()));
}
BENCHMARK(BM_SameBytesInOneWrite)->Unit(benchmark::kMicrosecond);

// The same record appended a line at a time, the file opened and closed
// for each, as the screen once wrote it.
void BM_SameRecordLineByLine(benchmark::State& state) {
    const survey::ResultFile file("分割DATA.TXT");
    const survey::Record record = largestRecord();
    for (auto _ : state) {
        for (const std::string& line : record.lines()) {
            survey::Record one;
            one.add(survey::Line().text(line));
            if (!file.append(one).ok()) state.SkipWithError("append failed");
        }
        state.PauseTiming();
        std::filesystem::remove(file.path());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SameRecordLineByLine)->Unit(benchmark::kMillisecond);

// The floor of the whole press: points, the text in one pass, one encoder
// call and one write. The distances and coordinates of this line have short
// forms of at most 15 digits and no exponent, as the floor's writer needs.
std::string floorText(const survey::Division& division) {
    floorbench::Text text(division.points.size() * 96 + 512);
    const std::string separator = std::string(82, '-') + "\r\n";
    text.put(separator).put("分割数 ").put(std::to_string(kSections)).put("\r\n");
    text.put("基準A-X ").put(kTyped.ax).put("\r\n").put("基準A-Y ").put(kTyped.ay).put("\r\n");
    text.put("基準B-X ").put(kTyped.bx).put("\r\n").put("基準B-Y ").put(kTyped.by).put("\r\n").put("\r\n");
    double k = 1.0;
    for (const survey::DivisionPoint& p : division.points) {
        text.number(k).put(" 点目   距離 ").number(p.distance).put("   X 座標 ").number(p.point.x);
        text.put("   Y 座標 ").number(p.point.y).put("\r\n");
        k += 1.0;
    }
    return text.put(separator).done();
}

void BM_Divide1000AgainstFloor(benchmark::State& state) {
    const survey::ResultFile file("分割DATA.TXT");
    const double deg = survey::degreeConstant();
    floorbench::againstFloor(
        state, file.path(),
        [&] {
            const auto division = survey::divide(kA, kB, kSections, deg);
            return file.append(survey::divisionRecord(kTyped, std::to_string(kSections), division->points)).ok();
        },
        [&](const std::filesystem::path& path) {
            floorbench::appendCp932(floorText(*survey::divide(kA, kB, kSections, deg)), path);
        });
}
BENCHMARK(BM_Divide1000AgainstFloor)->Unit(benchmark::kMillisecond);

}  // namespace
