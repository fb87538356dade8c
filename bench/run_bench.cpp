// The whole run without a window (checks, job, G-code, DXF and the recorded preview) for an
// ANSI 40 chain, at a small, a large and the largest accepted tooth count, plain and machined.
// The time per tooth should stay the same as the count grows.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>
#include <utility>
#include <variant>

#include "output/dxf.h"
#include "output/gcode.h"
#include "output/preview.h"
#include "output/recording_canvas.h"
#include "sprocket/job.h"

namespace {

toothwright::FieldTexts Ansi40(int teeth) {
  return {.pitch = "0.5",
          .teeth = std::to_string(teeth),
          .roller = "0.3125",
          .depth = "0.125",
          .feed = "10",
          .offset = true};
}

// The machined run: the cutter path computed here, four passes and eight holding tabs, entered
// as the last two ask (blank: plunged, no lead-in arcs). No offset: the program offsets the
// cutter itself.
toothwright::FieldTexts Ansi40Machined(int teeth, std::string ramp_angle = "",
                                       std::string lead_in = "") {
  return {.pitch = "0.5",
          .teeth = std::to_string(teeth),
          .roller = "0.3125",
          .depth = "0.125",
          .feed = "10",
          .tool_diameter = "0.25",
          .depth_per_pass = "0.03125",
          .tabs = "8",
          .tab_width = "0.1",
          .tab_height = "0.03",
          .ramp_angle = std::move(ramp_angle),
          .lead_in = std::move(lead_in)};
}

// What a run makes of the fields: the job, then its program, its drawing and its picture.
size_t RunOnce(const toothwright::FieldTexts& fields) {
  auto made = toothwright::MakeJob(fields);
  const auto* job = std::get_if<toothwright::Job>(&made);
  if (job == nullptr) return 0;
  std::string program = toothwright::WriteGCode(*job);
  std::string drawing = toothwright::WriteDxf(*job);
  toothwright::RecordingCanvas canvas;
  toothwright::DrawPreview(*job, canvas);
  benchmark::DoNotOptimize(program.data());
  benchmark::DoNotOptimize(drawing.data());
  benchmark::DoNotOptimize(canvas.calls().data());
  return job->sprocket.outline.segments.size();
}

void RunAndCount(benchmark::State& state, const toothwright::FieldTexts& fields) {
  size_t segments = 0;
  for (auto _ : state) segments = RunOnce(fields);
  if (segments == 0) state.SkipWithError("the fields were refused");
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

// The machined run: the program holds four times the moves, so the run should stay under four
// times BM_Run's.
void BM_RunMachined(benchmark::State& state) {
  RunAndCount(state, Ansi40Machined(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_RunMachined)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The program alone of the machined run's job at 10000 teeth (made outside the timing),
// plunged (argument 0), ramped at 5 degrees and entered along arcs of 0.1 (1), or ramped
// along the path (2): what ramps and lead-ins add to the machined run's program.
void BM_GCodeMachined(benchmark::State& state) {
  const int entry = static_cast<int>(state.range(0));
  auto made =
      toothwright::MakeJob(Ansi40Machined(10000, entry >= 1 ? "5" : "", entry == 1 ? "0.1" : ""));
  const auto* job = std::get_if<toothwright::Job>(&made);
  if (job == nullptr) {
    state.SkipWithError("the fields were refused");
    return;
  }
  for (auto _ : state) {
    std::string program = toothwright::WriteGCode(*job);
    benchmark::DoNotOptimize(program.data());
  }
}
BENCHMARK(BM_GCodeMachined)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
