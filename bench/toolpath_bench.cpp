// The toolpath picture of a machined ANSI 40 sprocket (cutter path, four passes, four tabs,
// bore and bolt holes): measuring the cut and drawing the job's moves over the preview on a
// recording canvas, which must stay well within 50 ms at 120 teeth; and the SVG document to
// scale. The job is made once, outside the timing.
#include <benchmark/benchmark.h>

#include <string>
#include <variant>

#include "output/cut_statistics.h"
#include "output/preview.h"
#include "output/recording_canvas.h"
#include "output/toolpath_preview.h"
#include "output/toolpath_svg.h"
#include "sprocket/job.h"
#include "support/ansi40_18_teeth.h"

namespace {

toothwright::Job Machined(int teeth) {
  toothwright::FieldTexts fields = toothwright::kAnsi40Machined;
  fields.teeth = std::to_string(teeth);
  return std::get<toothwright::Job>(toothwright::MakeJob(fields));
}

// From the job's moves to the picture over the part: what "Show Toolpath" adds to a run.
void BM_ToolpathPreview(benchmark::State& state) {
  const toothwright::Job job = Machined(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const toothwright::CutStatistics stats = toothwright::MeasureCut(job.moves);
    toothwright::RecordingCanvas canvas;
    toothwright::DrawPreview(job, canvas);
    toothwright::DrawToolpath(job, canvas);
    benchmark::DoNotOptimize(stats);
    benchmark::DoNotOptimize(canvas.calls().data());
  }
}
BENCHMARK(BM_ToolpathPreview)->Arg(18)->Arg(120)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_ToolpathSvg(benchmark::State& state) {
  const toothwright::Job job = Machined(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::string doc = toothwright::WriteToolpathSvg(job);
    benchmark::DoNotOptimize(doc.data());
  }
}
BENCHMARK(BM_ToolpathSvg)->Arg(120)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
