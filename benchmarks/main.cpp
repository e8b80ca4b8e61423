// The benchmark program: every *_bench.cpp of this folder, run with result
// files in a folder of its own, never on the real Desktop.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "survey/resultfile.h"

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("tarnel-bench-" + std::to_string(std::random_device()()));
    survey::seam::redirectDesktop(folder / "Desktop");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return 0;
}
