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
// takes it; nothing for D == 0): with swept_width (> 0, the cutter's diameter), the edges of
// the swept band of each contour's deepest pass in pale blue; every rapid move across dashed
// and each contour's deepest pass solid, in blue; each contour's entry as an orange dot with
// an arrow the way it cuts, and each tab of its deepest pass as an orange bar across the path.
// Marks keep their size in twips at any scale.
void DrawToolpath(const ProgramMoves& program, const std::vector<ContourCut>& contours, double D,
                  PreviewCanvas& canvas, std::optional<double> swept_width = std::nullopt);

}  // namespace toothwright
