// The part as a solid for an ANSI 40 chain with the chain standard's tooth form, its tooth
// width as the thickness, plain, chamfered, or chamfered with a hub and two rows: built once,
// then written as STEP, STL and 3MF, as a run with all three outputs does. The job is made
// outside the timing. The CPU column counts all the process's threads, the time is the wall
// clock's.
#include <benchmark/benchmark.h>

#include <string>
#include <variant>

#include "solid/model_files.h"
#include "sprocket/job.h"
#include "support/ansi40_18_teeth.h"

namespace {

enum class Kind { Plain, Chamfered, HubAndTwoRows };

toothwright::Job Ansi40(int teeth, Kind kind) {
  toothwright::FieldTexts fields = toothwright::kAnsi40Mounted;
  fields.teeth = std::to_string(teeth);
  fields.tooth_chamfer = kind != Kind::Plain;
  fields.thickness = "0.284625";  // 0.93 W - 0.006
  if (kind == Kind::HubAndTwoRows) {
    // The chain named for its transverse pitch, the rows' thickness the standard's for two.
    // Copied from whole texts: GCC 12 falsely warns (-Wrestrict) on short literals assigned here.
    const toothwright::FieldTexts rows{.thickness = "ANSI",
                                       .hub_diameter = "1.1",
                                       .hub_length = "0.4",
                                       .strands = "2",
                                       .chain = "ANSI 40"};
    fields.thickness = rows.thickness;
    fields.hub_diameter = rows.hub_diameter;
    fields.hub_length = rows.hub_length;
    fields.strands = rows.strands;
    fields.chain = rows.chain;
  }
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

// 18 and 120 teeth, three runs each whatever the time asked for, in milliseconds.
void SolidRuns(benchmark::internal::Benchmark* runs) {
  runs->Arg(18)
      ->Arg(120)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(3)
      ->MeasureProcessCPUTime()
      ->UseRealTime();
}

// One tooth sector chamfered, copied round and joined.
void BM_SolidChamfered(benchmark::State& state) {
  WriteAll(state, Ansi40(static_cast<int>(state.range(0)), Kind::Chamfered));
}
BENCHMARK(BM_SolidChamfered)->Apply(SolidRuns);

// Without the chamfer the solid is the face extruded, with no boolean operation.
void BM_SolidPlain(benchmark::State& state) {
  WriteAll(state, Ansi40(static_cast<int>(state.range(0)), Kind::Plain));
}
BENCHMARK(BM_SolidPlain)->Apply(SolidRuns);

// The sector in two rows, joined to a core shaped by the hub and the body between the rows.
void BM_SolidHubAndTwoRows(benchmark::State& state) {
  WriteAll(state, Ansi40(static_cast<int>(state.range(0)), Kind::HubAndTwoRows));
}
BENCHMARK(BM_SolidHubAndTwoRows)->Apply(SolidRuns);

}  // namespace

BENCHMARK_MAIN();
