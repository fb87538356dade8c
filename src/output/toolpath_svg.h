// The toolpath drawn to scale over the part as a standalone SVG document: the picture a
// machinist checks a program by, opened at true size in a browser or an image program.
#pragma once

#include <string>

#include "sprocket/job.h"

namespace toothwright {

// The job's toolpath (DrawToolpath of its moves) over its part, a document like
// WriteDrawingSvg's (width and height in inches for an inch design, else millimetres, at true
// size; a view box in drawing units; y up) and drawn in this order:
// - with a tool diameter (the program computes the cutter's path), each contour's deepest pass
//   as a pale blue band as wide as the cutter, <path class="swept">;
// - the part: each hole, then the outline, in red, in <g id="part">;
// - in blue (#0072B2): every rapid move across dashed, <path class="rapid">, one each, and each
//   contour's deepest pass, <path class="toolpath">, one each, in the program's own numbers;
// - in orange (#E69F00): each contour's entry, <g class="entry"> holding a dot (<circle>) and
//   an arrow the way it cuts, and each tab of a deepest pass, <path class="tab">, a bar across
//   the path.
// The box holds the part, the paths and the marks. For a program written with cutter
// compensation (Compensated) a band below the drawing holds kCompensationCaption.
std::string WriteToolpathSvg(const Job& job);

}  // namespace toothwright
