// The rough picture of the sprocket: a centre circle and three arcs per tooth, in red,
// scaled so the outside diameter spans 90 % of the smaller outer side of the canvas.
#pragma once

#include "output/preview_canvas.h"
#include "sprocket/tooth_profile.h"

namespace toothwright {

// Clears canvas and draws the profile (indices 1..N; T bounds the tooth loop). D is the
// outside diameter as read back from its text; with D == 0 the canvas is only cleared.
void DrawPreview(const ToothProfile& profile, double D, double T, int N, PreviewCanvas& canvas);

}  // namespace toothwright
