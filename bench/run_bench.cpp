// The whole run without a window (checks, profile, G-code, DXF and the recorded preview) for
// an ANSI 40 chain, at a small, a large and the largest accepted tooth count, plain and machined.
// The time per tooth should stay the same as the count grows.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <span>
#include <string>
#include <variant>

#include "output/gcode.h"
#include "output/pipeline.h"

namespace {

toothwright::FieldTexts Ansi40(int teeth) {
  return {.pitch = "0.5",
          .teeth = std::to_string(teeth),
          .roller = "0.3125",
          .depth = "0.125",
          .feed = "10",
          .offset = true};
}

void RunAndCount(benchmark::State& state, const toothwright::FieldTexts& fields) {
  size_t segments = 0;
  for (auto _ : state) {
    auto results = toothwright::Run(fields);
    benchmark::DoNotOptimize(results);
    if (const auto* r = std::get_if<toothwright::RunResults>(&results)) {
      segments = r->job.sprocket.outline.segments.size();
    }
  }
  // Seconds per tooth and per segment of the outline (topped teeth have four arcs, not
  // three), shown with an SI prefix (u for microseconds).
  const auto per = benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert;
  state.counters["per_tooth"] = benchmark::Counter(static_cast<double>(state.range(0)), per);
  state.counters["per_segment"] = benchmark::Counter(static_cast<double>(segments), per);
}

void BM_Run(benchmark::State& state) {
  RunAndCount(state, Ansi40(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_Run)->Arg(18)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The same with the seats widened and the teeth topped to the chain standard's sizes.
void BM_RunToothForm(benchmark::State& state) {
  toothwright::FieldTexts fields = Ansi40(static_cast<int>(state.range(0)));
  fields.seat_clearance = "ANSI";
  fields.tip_diameter = "ANSI";
  RunAndCount(state, fields);
}
BENCHMARK(BM_RunToothForm)->Arg(18)->Arg(10000)->Unit(benchmark::kMillisecond);

// The same run with the cutter path computed here, four passes and eight holding tabs: the
// program holds four times the moves, so the run should stay under four times BM_Run's.
void BM_RunMachined(benchmark::State& state) {
  // No offset: the program offsets the cutter itself.
  RunAndCount(state, {.pitch = "0.5",
                      .teeth = std::to_string(state.range(0)),
                      .roller = "0.3125",
                      .depth = "0.125",
                      .feed = "10",
                      .tool_diameter = "0.25",
                      .depth_per_pass = "0.03125",
                      .tabs = "8",
                      .tab_width = "0.1",
                      .tab_height = "0.03"});
}
BENCHMARK(BM_RunMachined)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The program alone for the machined run's sprocket (computed cutter path, four passes, eight
// tabs), plunged (argument 0), ramped at 5 degrees and entered along arcs of 0.1 (1), or
// ramped along the path (2): what ramps and lead-ins add to the machined run.
void BM_GCodeMachined(benchmark::State& state) {
  const auto run = toothwright::RunSprocket(
      {.pitch = "0.5", .teeth = "10000", .roller = "0.3125", .depth = "0.125", .feed = "10"});
  const auto& sprocket = std::get<toothwright::SprocketRun>(run);
  toothwright::MachiningOptions m{
      .depth = 0.125,
      .tool_diameter = 0.25,
      .depth_per_pass = 0.03125,
      .tabs = toothwright::HoldingTabs{.count = 8, .width = 0.1, .height = 0.03}};
  if (state.range(0) >= 1) m.ramp_angle = 5;
  if (state.range(0) == 1) m.lead_in = 0.1;
  for (auto _ : state) {
    std::string program = toothwright::WriteGCode(
        std::span(&sprocket.outline, 1), {.units = "English", .feed = "10", .machining = m});
    benchmark::DoNotOptimize(program);
  }
}
BENCHMARK(BM_GCodeMachined)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
