// The crossing check on the largest corner list (10001 corners): a simple
// outline, and the same outline with a hundred pairs of corners entered in
// the wrong order. Allowed: 50 ms.
#include <benchmark/benchmark.h>

#include <utility>
#include <vector>

#include "parcel.h"
#include "survey/outline.h"

namespace {

void crossingCheck(benchmark::State& state, const std::vector<survey::Corner>& corners) {
    std::size_t crossing = 0;
    for (auto _ : state) {
        const std::vector<std::size_t> edges = survey::crossingEdges(corners);
        crossing = edges.size();
        benchmark::DoNotOptimize(edges.data());
    }
    state.counters["crossing_edges"] = double(crossing);
}

void BM_CrossingEdgesSimple(benchmark::State& state) { crossingCheck(state, largestParcel()); }
BENCHMARK(BM_CrossingEdgesSimple)->Unit(benchmark::kMillisecond);

void BM_CrossingEdgesSwappedPairs(benchmark::State& state) {
    std::vector<survey::Corner> corners = largestParcel();
    for (std::size_t k = 50; k + 1 < corners.size(); k += 100) std::swap(corners[k], corners[k + 1]);
    crossingCheck(state, corners);
}
BENCHMARK(BM_CrossingEdgesSwappedPairs)->Unit(benchmark::kMillisecond);

}  // namespace
