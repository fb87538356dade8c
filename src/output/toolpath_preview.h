// The toolpath drawn over the preview: what the program makes the cutter's centre do, on the
// preview's canvas and with the preview's mapping, so it lies on the part as drawn.
#pragma once

#include "output/preview_canvas.h"
#include "sprocket/job.h"

namespace toothwright {

// Draws the job's toolpath (DrawToolpath of its moves) over what canvas holds (no Clear), for
// the part as DrawPreview maps it (nothing for an outside diameter of 0): rapid moves dashed
// and the deepest passes solid, in blue; each entry as an orange dot with an arrow the way it
// cuts, and each tab as an orange bar across the path, spanning the tool's diameter when the
// program computes the cutter's path. Marks keep their size in twips at any scale. The swept
// width is left out here: at the preview's scale its edge facing the part would hide the
// part's outline, which it touches.
void DrawToolpath(const Job& job, PreviewCanvas& canvas);

}  // namespace toothwright
