// The stages of a run after the sprocket, in their fixed order: G-code, DXF, SVG drawing,
// preview.
#include "output/pipeline.h"

#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "output/dxf.h"
#include "output/gcode.h"
#include "output/preview.h"
#include "sprocket/machining.h"
#include "sprocket/numbers.h"

namespace toothwright {

StageTexts RunStages(const FieldTexts& fields, const SprocketRun& sprocket, PreviewCanvas& canvas) {
  StageTexts texts;
  // Holes first, the outline last, so the part is still held while its holes are cut. The
  // outline of thousands of teeth is copied only when holes come before it.
  std::vector<Path> with_holes;
  if (!sprocket.holes.empty()) {
    with_holes = sprocket.holes;
    with_holes.push_back(sprocket.outline);
  }
  const std::span<const Path> contours =
      with_holes.empty() ? std::span(&sprocket.outline, 1) : std::span<const Path>(with_holes);
  // A feed field holding only blanks is not set: the program then carries no F word.
  const std::string_view feed = IsBlank(fields.feed) ? std::string_view() : fields.feed;
  texts.gcode = WriteGCode(contours, {.units = fields.units,
                                      .offset = fields.offset,
                                      .feed = feed,
                                      .machining = ReadMachining(fields)});
  texts.dxf = WriteDxf(sprocket.outline, sprocket.holes);
  // The preview reads the outside diameter back from the text the run showed.
  const double D = ParseReal(sprocket.outside_diameter_text).value_or(0);
  DrawPreview(sprocket.outline, sprocket.holes, sprocket.mounting.bore.has_value(), D, canvas);
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
  results.preview = canvas.TakeCalls();
  return results;
}

}  // namespace toothwright
