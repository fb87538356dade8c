// The toolpath picture of a machined ANSI 40 sprocket (cutter path, four passes, four tabs,
// bore and bolt holes): reading the program back, finding its contours, measuring the cut and
// drawing the path over the preview on a recording canvas, which must stay well within 50 ms at
// 120 teeth; and the SVG document to scale. The run itself is made once, outside the timing.
#include <benchmark/benchmark.h>

#include <string>
#include <variant>

#include "output/cut_statistics.h"
#include "output/pipeline.h"
#include "output/toolpath_preview.h"
#include "output/toolpath_svg.h"
#include "numbers/numbers.h"
#include "support/ansi40_18_teeth.h"

namespace {

toothwright::RunResults MachinedRun(int teeth) {
  toothwright::FieldTexts fields = toothwright::kAnsi40Machined;
  fields.teeth = std::to_string(teeth);
  return std::get<toothwright::RunResults>(toothwright::Run(fields));
}

// From the program's text to the picture over the part: what "Show Toolpath" adds to a run.
void BM_ToolpathPreview(benchmark::State& state) {
  const toothwright::RunResults run = MachinedRun(static_cast<int>(state.range(0)));
  const double D = toothwright::ParseReal(run.job.sprocket.outside_diameter_text).value();
  for (auto _ : state) {
    const auto program =
        std::get<toothwright::ProgramMoves>(toothwright::ReadProgramMoves(run.gcode));
    const auto contours = toothwright::FindContours(program);
    const toothwright::CutStatistics stats = toothwright::MeasureCut(program);
    toothwright::RecordingCanvas canvas;
    toothwright::ReplayPreviewCalls(run.preview, canvas);
    toothwright::DrawToolpath(program, contours, D, canvas, 0.125);
    benchmark::DoNotOptimize(stats);
    benchmark::DoNotOptimize(canvas.calls().data());
  }
}
BENCHMARK(BM_ToolpathPreview)->Arg(18)->Arg(120)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_ToolpathSvg(benchmark::State& state) {
  const toothwright::RunResults run = MachinedRun(static_cast<int>(state.range(0)));
  const auto program =
      std::get<toothwright::ProgramMoves>(toothwright::ReadProgramMoves(run.gcode));
  const auto contours = toothwright::FindContours(program);
  for (auto _ : state) {
    std::string doc =
        toothwright::WriteToolpathSvg(run.job.sprocket.outline, run.job.sprocket.holes,
                                      toothwright::LengthUnit::Inch, program, contours, 0.125);
    benchmark::DoNotOptimize(doc.data());
  }
}
BENCHMARK(BM_ToolpathSvg)->Arg(120)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
