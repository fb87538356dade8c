// A whole run without a window: the field texts in, the refused field or every result out (the
// job, the G-code text, the DXF text and the preview's canvas calls).
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "output/gcode.h"
#include "output/preview_canvas.h"
#include "output/recording_canvas.h"
#include "sprocket/fields.h"
#include "sprocket/job.h"

namespace toothwright {

struct RunResults {
  Job job;            // the design and all it built: diameters, outline, holes, toolpaths
  std::string gcode;  // for txtInfo
  std::string dxf;    // for the hidden DXF box
  std::vector<PreviewCall> preview;  // the preview stage's calls on the picture box, Clear first
};

// The full run, the preview recorded on a canvas the size of the window's picture box.
// program names the program in the G-code's preamble.
std::variant<RunResults, FieldError> Run(const FieldTexts& fields,
                                         std::string_view program = kProgramName);

// The stages after the job is built: the G-code and DXF texts, and the preview drawn on canvas.
// Used by the window with its own canvas; Run() uses a recording canvas. The drawing to scale
// is written on demand from the job (WriteDrawingSvg).
struct StageTexts {
  std::string gcode;
  std::string dxf;
};
StageTexts RunStages(const Job& job, PreviewCanvas& canvas,
                     std::string_view program = kProgramName);

}  // namespace toothwright
