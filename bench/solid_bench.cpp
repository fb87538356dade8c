// The part as a solid for an ANSI 40 chain with the chain standard's tooth form, its tooth
// width as the thickness and, when asked, the tooth side chamfer: built once, then written as
// STEP, STL and 3MF, as a run with all three outputs does. The job is made outside the timing.
// The kernel works on every core: the CPU column counts all the process's threads, the time is
// the wall clock's.
#include <benchmark/benchmark.h>

#include <string>
#include <variant>

#include "solid/model_files.h"
#include "sprocket/job.h"
#include "support/ansi40_18_teeth.h"

namespace {

toothwright::Job Ansi40(int teeth, bool chamfer) {
  toothwright::FieldTexts fields = toothwright::kAnsi40Mounted;
  fields.teeth = std::to_string(teeth);
  fields.thickness = "0.284625";  // 0.93 W - 0.006
  fields.tooth_chamfer = chamfer;
  return std::get<toothwright::Job>(toothwright::MakeJob(fields));
}

void WriteAll(benchmark::State& state, const toothwright::Job& job) {
  size_t bytes = 0;
  for (auto _ : state) {
    const auto files =
        toothwright::BuildModelFiles(job, {.step = true, .stl = true, .three_mf = true});
    const auto* written = std::get_if<toothwright::ModelFiles>(&files);
    if (written == nullptr) {
      state.SkipWithError(std::get<toothwright::FieldError>(files).reason.c_str());
      return;
    }
    bytes = written->step->size() + written->stl->size() + written->three_mf->size();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_SolidChamfered(benchmark::State& state) {
  WriteAll(state, Ansi40(static_cast<int>(state.range(0)), true));
}
BENCHMARK(BM_SolidChamfered)
    ->Arg(18)
    ->Arg(120)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// Without the chamfer the solid is the face extruded, with no boolean operation.
void BM_SolidPlain(benchmark::State& state) {
  WriteAll(state, Ansi40(static_cast<int>(state.range(0)), false));
}
BENCHMARK(BM_SolidPlain)
    ->Arg(18)
    ->Arg(120)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
