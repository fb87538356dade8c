// The toolpath drawn to scale over the part as a standalone SVG document: the picture a
// machinist checks a program by, opened at true size in a browser or an image program.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/path.h"
#include "output/program_contours.h"
#include "output/toolpath_style.h"
#include "sprocket/job.h"
#include "sprocket/units.h"

namespace toothwright {

// The document, like WriteDrawingSvg's (width and height in inches when units is "English",
// else millimetres, at true size; a view box in drawing units; y up) and drawn in this order:
// - with swept_width (> 0, the cutter's diameter), each contour's deepest pass as a pale blue
//   band that wide, <path class="swept">;
// - the part: each hole, then the outline, in red, in <g id="part">;
// - in blue (#0072B2): every rapid move across dashed, <path class="rapid">, one each, and each
//   contour's deepest pass, <path class="toolpath">, one each, in the program's own numbers;
// - in orange (#E69F00): each contour's entry, <g class="entry"> holding a dot (<circle>) and
//   an arrow the way it cuts, and each tab of a deepest pass, <path class="tab">, a bar across
//   the path.
// The box holds the part, the paths and the marks. For a program written with cutter
// compensation (Compensated) a band below the drawing holds kCompensationCaption.
std::string WriteToolpathSvg(const Path& outline, const std::vector<Path>& holes, LengthUnit unit,
                             const ProgramMoves& program, const std::vector<ContourCut>& contours,
                             std::optional<double> swept_width = std::nullopt);

// The job's picture over its part, from the program its run wrote, the cutter's swept width
// shown when the program computes the cutter's path.
std::string WriteToolpathSvg(const Job& job, const ProgramMoves& program,
                             const std::vector<ContourCut>& contours);

}  // namespace toothwright
