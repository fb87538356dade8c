// The stages of a run after the job, in their fixed order: G-code, DXF, preview.
#include "output/pipeline.h"

#include <utility>

#include "output/dxf.h"
#include "output/gcode.h"
#include "output/preview.h"

namespace toothwright {

StageTexts RunStages(const Job& job, PreviewCanvas& canvas, std::string_view program) {
  StageTexts texts{.gcode = WriteGCode(job, program), .dxf = WriteDxf(job)};
  DrawPreview(job, canvas);
  return texts;
}

std::variant<RunResults, FieldError> Run(const FieldTexts& fields, std::string_view program) {
  auto job = MakeJob(fields);
  if (auto* error = std::get_if<FieldError>(&job)) return std::move(*error);
  RunResults results{.job = std::get<Job>(std::move(job))};
  RecordingCanvas canvas(kPictureOuterSize, kPictureOuterSize);
  StageTexts texts = RunStages(results.job, canvas, program);
  results.gcode = std::move(texts.gcode);
  results.dxf = std::move(texts.dxf);
  results.preview = canvas.TakeCalls();
  return results;
}

}  // namespace toothwright
