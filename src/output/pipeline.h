// A whole run without a window: the field texts in, the one validation message or every
// result out (the sprocket, the G-code text, the DXF text, the drawing to scale and the
// preview's canvas calls).
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "output/preview_canvas.h"
#include "output/recording_canvas.h"
#include "sprocket/run.h"

namespace toothwright {

struct RunResults {
  SprocketRun sprocket;  // pitch and outside diameter texts, profile, derived dimensions
  std::string gcode;     // for txtInfo
  std::string dxf;       // for the hidden DXF box
  std::vector<PreviewCall> preview;  // the preview stage's calls on the picture box, Clear first
};

// The full run, the preview recorded on a canvas the size of the window's picture box.
std::variant<RunResults, ValidationMessage> Run(const FieldTexts& fields);

// The stages after the sprocket: the G-code and DXF texts, and the preview drawn on canvas.
// Used by the window with its own canvas; Run() uses a recording canvas. The drawing to scale
// is written on demand from the sprocket (WriteDrawingSvg).
struct StageTexts {
  std::string gcode;
  std::string dxf;
};
StageTexts RunStages(const FieldTexts& fields, const SprocketRun& sprocket, PreviewCanvas& canvas);

}  // namespace toothwright
