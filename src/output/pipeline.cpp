// The stages of a run after the sprocket, in their fixed order: G-code, DXF, preview.
#include "output/pipeline.h"

#include <span>
#include <utility>

#include "output/dxf.h"
#include "output/gcode.h"
#include "output/preview.h"
#include "sprocket/machining.h"
#include "sprocket/numbers.h"

namespace toothwright {

StageTexts RunStages(const FieldTexts& fields, const SprocketRun& sprocket, PreviewCanvas& canvas) {
  StageTexts texts;
  texts.gcode = WriteGCode(std::span(&sprocket.outline, 1), {.units = fields.units,
                                                             .offset = fields.offset,
                                                             .feed = fields.feed,
                                                             .machining = ReadMachining(fields)});
  texts.dxf = WriteDxf(sprocket.outline);
  // The preview reads the outside diameter back from the text the run showed.
  const double D = ParseReal(sprocket.outside_diameter_text).value_or(0);
  DrawPreview(sprocket.outline, D, canvas);
  return texts;
}

std::variant<RunResults, ValidationMessage> Run(const FieldTexts& fields) {
  auto sprocket = RunSprocket(fields);
  if (auto* message = std::get_if<ValidationMessage>(&sprocket)) return std::move(*message);
  RunResults results{.sprocket = std::get<SprocketRun>(std::move(sprocket))};
  RecordingCanvas canvas(kPictureOuterSize, kPictureOuterSize);
  StageTexts texts = RunStages(fields, results.sprocket, canvas);
  results.gcode = std::move(texts.gcode);
  results.dxf = std::move(texts.dxf);
  results.preview = canvas.calls();
  return results;
}

}  // namespace toothwright
