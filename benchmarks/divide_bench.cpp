// Timings of the largest division (1000 sections, 999 point lines): the
// points, the record, and the append that follows a press of 計算, next to
// writing the same bytes in one call and to the old way of one opening of
// the file for every line.
#include <benchmark/benchmark.h>

#include <QFile>

#include <string>

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
QByteArray recordBytes(const survey::Record& record) {
    std::string text;
    for (const std::string& line : record.lines()) text.append(line).append("\r\n");
    return survey::toCp932(QString::fromUtf8(text.data(), qsizetype(text.size()))).bytes;
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
    const survey::ResultFile file(QStringLiteral("分割DATA.TXT"));
    const double deg = survey::degreeConstant();
    for (auto _ : state) {
        const auto division = survey::divide(kA, kB, kSections, deg);
        const survey::FileOutcome outcome =
            file.append(survey::divisionRecord(kTyped, std::to_string(kSections), division->points));
        if (!outcome.ok()) state.SkipWithError(outcome.reason.toStdString().c_str());
        state.PauseTiming();
        QFile::remove(file.path());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Divide1000AndAppend)->Unit(benchmark::kMicrosecond);

// The same bytes, already encoded, written in one call.
void BM_SameBytesInOneWrite(benchmark::State& state) {
    const survey::ResultFile file(QStringLiteral("分割DATA.TXT"));
    const QByteArray bytes = recordBytes(largestRecord());
    for (auto _ : state) {
        QFile out(file.path());
        if (!out.open(QIODevice::Append) || out.write(bytes) != bytes.size()) state.SkipWithError("write failed");
        out.close();
        state.PauseTiming();
        QFile::remove(file.path());
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_SameBytesInOneWrite)->Unit(benchmark::kMicrosecond);

// The same record appended a line at a time, the file opened and closed
// for each, as the screen once wrote it.
void BM_SameRecordLineByLine(benchmark::State& state) {
    const survey::ResultFile file(QStringLiteral("分割DATA.TXT"));
    const survey::Record record = largestRecord();
    for (auto _ : state) {
        for (const std::string& line : record.lines()) {
            survey::Record one;
            one.add(survey::Line().text(line));
            if (!file.append(one).ok()) state.SkipWithError("append failed");
        }
        state.PauseTiming();
        QFile::remove(file.path());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SameRecordLineByLine)->Unit(benchmark::kMillisecond);

}  // namespace
