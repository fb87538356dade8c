// A whole run: the field texts in; out, the field that refused them, or the job with every text
// and drawing made from it and the figures shown beside them. The CLI and the window each call
// it once per run and only pick what they write or show. The 3-D models are not made here:
// they are slow and asked for apart (WriteModels).
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "output/gcode.h"
#include "output/recording_canvas.h"
#include "sprocket/fields.h"
#include "sprocket/job.h"

namespace toothwright {

// The products a caller may leave out: each adds a tenth of a run or more (the drawings as long
// as the run itself or longer) for a part of thousands of teeth, so a caller asks only for those
// it writes or shows. The job, the G-code, the DXF and the preview's calls are always made.
struct RunProducts {
  bool drawing_svg = true;   // the drawing to scale (WriteDrawingSvg)
  bool preview_svg = true;   // the preview's calls drawn as an SVG document
  bool preview_ops = true;   // the preview's calls as text (FormatPreviewCalls)
  bool toolpath = true;      // the toolpath overlay's calls (DrawToolpath)
  bool toolpath_svg = true;  // the toolpath drawn to scale (WriteToolpathSvg)
  bool figures = true;       // the cut's length and time (MeasureCut)
};

// What a run made. A product left out (RunProducts) is empty.
struct RunResults {
  Job job;            // the design and all it built: diameters, outline, holes, moves
  std::string gcode;  // the program (WriteGCode), as the window's box shows it
  std::string dxf;    // the drawing (WriteDxf), as the window's hidden box holds it
  std::string drawing_svg;
  // The preview's calls on a canvas the size of the window's picture box (kPictureOuterSize
  // square), Clear first; replayed on a canvas of that size they draw the same picture.
  std::vector<PreviewCall> preview;
  std::string preview_svg;  // the preview's calls replayed on an SvgCanvas
  std::string preview_ops;  // one line per preview call
  // The toolpath overlay's calls, recorded like the preview's and replayed after them; no
  // Clear among them.
  std::vector<PreviewCall> toolpath;
  std::string toolpath_svg;
  std::string cut_length;  // "46.5183 in" (FormatCutLength of the moves' length)
  std::string cut_time;    // "3 min 7 s", or "-" without a feed (FormatCutTime)
};

// The run of fields, making what products asks for; program names the program in the G-code's
// preamble.
std::variant<RunResults, FieldError> RunDesign(const FieldTexts& fields,
                                               const RunProducts& products = {},
                                               std::string_view program = kProgramName);

}  // namespace toothwright
