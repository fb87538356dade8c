// The whole run without a window (checks, profile, G-code, DXF and the recorded preview) for
// an ANSI 40 chain, at a small, a large and the largest accepted tooth count. The time per
// tooth should stay the same as the count grows.
#include <benchmark/benchmark.h>

#include <string>
#include <variant>

#include "output/pipeline.h"

namespace {

void BM_Run(benchmark::State& state) {
  const toothwright::FieldTexts fields{.pitch = "0.5",
                                       .teeth = std::to_string(state.range(0)),
                                       .roller = "0.3125",
                                       .depth = "0.125",
                                       .feed = "10",
                                       .offset = true};
  for (auto _ : state) {
    auto results = toothwright::Run(fields);
    benchmark::DoNotOptimize(results);
  }
  // Seconds per tooth, shown with an SI prefix (u for microseconds).
  state.counters["per_tooth"] = benchmark::Counter(
      static_cast<double>(state.range(0)),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Run)->Arg(18)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
