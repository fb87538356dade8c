// The products in a fixed order, each made from the job alone; the two recorded pictures are
// drawn on recording canvases the size of the window's picture box.
#include "run/run.h"

#include <utility>

#include "output/cut_statistics.h"
#include "output/drawing_svg.h"
#include "output/dxf.h"
#include "output/preview.h"
#include "output/svg_canvas.h"
#include "output/toolpath_preview.h"
#include "output/toolpath_svg.h"

namespace toothwright {
namespace {

std::vector<PreviewCall> RecordPreview(const Job& job) {
  RecordingCanvas canvas(kPictureOuterSize, kPictureOuterSize);
  DrawPreview(job, canvas);
  return canvas.TakeCalls();
}

std::vector<PreviewCall> RecordToolpath(const Job& job) {
  RecordingCanvas canvas(kPictureOuterSize, kPictureOuterSize);
  DrawToolpath(job, canvas);
  return canvas.TakeCalls();
}

std::string PreviewSvg(const std::vector<PreviewCall>& preview) {
  SvgCanvas canvas;
  ReplayPreviewCalls(preview, canvas);
  return canvas.Document();
}

RunResults MakeProducts(Job job, const RunProducts& products, std::string_view program) {
  RunResults r{.job = std::move(job)};
  r.gcode = WriteGCode(r.job, program);
  r.dxf = WriteDxf(r.job);
  if (products.drawing_svg) r.drawing_svg = WriteDrawingSvg(r.job);
  r.preview = RecordPreview(r.job);
  if (products.preview_svg) r.preview_svg = PreviewSvg(r.preview);
  if (products.preview_ops) r.preview_ops = FormatPreviewCalls(r.preview);
  if (products.toolpath) r.toolpath = RecordToolpath(r.job);
  if (products.toolpath_svg) r.toolpath_svg = WriteToolpathSvg(r.job);
  if (products.figures) {
    const CutStatistics cut = MeasureCut(r.job.moves);
    r.cut_length = FormatCutLength(cut.length, r.job.design.unit);
    r.cut_time = FormatCutTime(cut.minutes);
  }
  return r;
}

}  // namespace

std::variant<RunResults, FieldError> RunDesign(const FieldTexts& fields,
                                               const RunProducts& products,
                                               std::string_view program) {
  auto job = MakeJob(fields);
  if (auto* error = std::get_if<FieldError>(&job)) return std::move(*error);
  return MakeProducts(std::get<Job>(std::move(job)), products, program);
}

}  // namespace toothwright
