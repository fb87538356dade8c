// The toolpath picture of a machined ANSI 40 sprocket (cutter path, four passes, four tabs,
// bore and bolt holes): reading the program back, finding its contours, measuring the cut and
// drawing the path over the preview on a recording canvas, which must stay well within 50 ms at
// 120 teeth; and the SVG document to scale. The job and its program are made once, outside the
// timing.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <variant>

#include "output/cut_statistics.h"
#include "output/gcode.h"
#include "output/preview.h"
#include "output/program_contours.h"
#include "output/program_moves.h"
#include "output/recording_canvas.h"
#include "output/toolpath_preview.h"
#include "output/toolpath_svg.h"
#include "sprocket/job.h"
#include "support/ansi40_18_teeth.h"

namespace {

struct MachinedRun {
  toothwright::Job job;
  std::string gcode;
};

MachinedRun Machined(int teeth) {
  toothwright::FieldTexts fields = toothwright::kAnsi40Machined;
  fields.teeth = std::to_string(teeth);
  toothwright::Job job = std::get<toothwright::Job>(toothwright::MakeJob(fields));
  std::string gcode = toothwright::WriteGCode(job);
  return {std::move(job), std::move(gcode)};
}

// From the program's text to the picture over the part: what "Show Toolpath" adds to a run.
void BM_ToolpathPreview(benchmark::State& state) {
  const MachinedRun run = Machined(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const auto program =
        std::get<toothwright::ProgramMoves>(toothwright::ReadProgramMoves(run.gcode));
    const auto contours = toothwright::FindContours(program);
    const toothwright::CutStatistics stats = toothwright::MeasureCut(program);
    toothwright::RecordingCanvas canvas;
    toothwright::DrawPreview(run.job, canvas);
    toothwright::DrawToolpath(program, contours, run.job.outside_diameter, canvas, 0.125);
    benchmark::DoNotOptimize(stats);
    benchmark::DoNotOptimize(canvas.calls().data());
  }
}
BENCHMARK(BM_ToolpathPreview)->Arg(18)->Arg(120)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_ToolpathSvg(benchmark::State& state) {
  const MachinedRun run = Machined(static_cast<int>(state.range(0)));
  const auto program =
      std::get<toothwright::ProgramMoves>(toothwright::ReadProgramMoves(run.gcode));
  const auto contours = toothwright::FindContours(program);
  for (auto _ : state) {
    std::string doc = toothwright::WriteToolpathSvg(run.job, program, contours);
    benchmark::DoNotOptimize(doc.data());
  }
}
BENCHMARK(BM_ToolpathSvg)->Arg(120)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
