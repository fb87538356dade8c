// The part as a solid for an ANSI 40 chain with the chain standard's tooth form, thickness and
// tooth side chamfer: built once, then written as STEP, STL and 3MF, as a job with all three
// outputs does. The sprocket's outline is computed outside the timing. The kernel works on
// every core: the CPU column counts all the process's threads, the time is the wall clock's.
#include <benchmark/benchmark.h>

#include <string>
#include <variant>

#include "solid/mesh.h"
#include "solid/solid_model.h"
#include "solid/writers.h"
#include "sprocket/run.h"
#include "sprocket/solid_fields.h"

namespace {

toothwright::SolidPart Ansi40(int teeth, bool chamfer) {
  const auto run =
      std::get<toothwright::SprocketRun>(toothwright::RunSprocket({.pitch = "0.5",
                                                                   .teeth = std::to_string(teeth),
                                                                   .roller = "0.3125",
                                                                   .seat_clearance = "ANSI",
                                                                   .tip_diameter = "ANSI",
                                                                   .bore = "0.75",
                                                                   .keyway_width = "0.1875",
                                                                   .keyway_depth = "0.09375",
                                                                   .bolt_holes = "4",
                                                                   .bolt_hole_diameter = "0.25",
                                                                   .bolt_circle = "1.6"}));
  return {.outline = run.outline,
          .holes = run.holes,
          .thickness = 0.284625,  // 0.93 W - 0.006 in
          .chamfer = chamfer,
          .pitch = 0.5,
          .mesh_tolerance = toothwright::kDefaultMeshToleranceInches};
}

void WriteAll(benchmark::State& state, const toothwright::SolidPart& part) {
  size_t bytes = 0;
  for (auto _ : state) {
    const auto model = toothwright::BuildSolid(part);
    const auto& solid = std::get<toothwright::SolidModel>(model);
    const auto step = toothwright::WriteStep(solid);
    const auto mesh = std::get<toothwright::TriangleMesh>(toothwright::MeshSolid(solid));
    const std::string stl = toothwright::WriteStl(mesh);
    const auto package = toothwright::Write3mf(mesh);
    bytes = std::get<std::string>(step).size() + stl.size() + std::get<std::string>(package).size();
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
