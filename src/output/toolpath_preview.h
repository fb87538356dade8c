// The toolpath drawn over the preview: what the program makes the cutter's centre do, on the
// preview's canvas and with the preview's mapping, so it lies on the part as drawn.
#pragma once

#include <optional>
#include <vector>

#include "output/preview_canvas.h"
#include "output/program_contours.h"
#include "output/toolpath_style.h"

namespace toothwright {

// Draws, over what canvas holds (no Clear), for a part of outside diameter D (as DrawPreview
// takes it; nothing for D == 0): every rapid move across dashed and each contour's deepest
// pass solid, in blue; each contour's entry as an orange dot with an arrow the way it cuts,
// and each tab of its deepest pass as an orange bar across the path, spanning tool_diameter
// (the cutter's, > 0) when given. Marks keep their size in twips at any scale. The swept width
// is left out here: at the preview's scale its edge facing the part would hide the part's
// outline, which it touches.
void DrawToolpath(const ProgramMoves& program, const std::vector<ContourCut>& contours, double D,
                  PreviewCanvas& canvas, std::optional<double> tool_diameter = std::nullopt);

}  // namespace toothwright
