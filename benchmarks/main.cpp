// The benchmark program: every *_bench.cpp of this folder, run with result
// files in a temporary home, never on the real Desktop.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

int main(int argc, char** argv) {
    // Result files go to a temporary home, never to the real Desktop.
    QTemporaryDir home;
    if (!home.isValid()) return 1;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toLocal8Bit());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
