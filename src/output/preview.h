// The rough picture of the sprocket: a centre circle, every arc of the outline and the holes to
// scale, in red, scaled so the outside diameter spans 90 % of the smaller outer side of the
// canvas.
#pragma once

#include <vector>

#include "geometry/path.h"
#include "output/preview_canvas.h"
#include "sprocket/job.h"

namespace toothwright {

// The caption under the picture when a bore is set: the bore then replaces the centre circle,
// which only marks the centre, and is in every output.
inline constexpr const char* kBoreCaption = "Bore is included in code and drawings";

// Clears canvas and draws the outline, then each hole's arcs and lines at their true size.
// Without a bore, a centre circle with the seats' radius comes before the outline; with one
// (bore true, the bore among the holes) the bore takes its place. D is the outside diameter
// as read back from its text; with D == 0 the canvas is only cleared. The outline holds at
// least one seat.
void DrawPreview(const Path& outline, const std::vector<Path>& holes, bool bore, double D,
                 PreviewCanvas& canvas);

// The job's picture: its outline and holes, scaled by its outside diameter.
void DrawPreview(const Job& job, PreviewCanvas& canvas);

}  // namespace toothwright
