// The rough picture of the sprocket: a centre circle and every arc of the outline, in red,
// scaled so the outside diameter spans 90 % of the smaller outer side of the canvas.
#pragma once

#include "geometry/path.h"
#include "output/preview_canvas.h"

namespace toothwright {

// Clears canvas and draws the outline. D is the outside diameter as read back from its
// text; with D == 0 the canvas is only cleared. The outline holds at least one seat.
void DrawPreview(const Path& outline, double D, PreviewCanvas& canvas);

}  // namespace toothwright
