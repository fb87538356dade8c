// The DXF drawing: one ENTITIES section on layer 0, one entity per segment of the holes and
// the outline (ARC, or LINE for a straight segment); every line ends in CR LF.
#pragma once

#include <string>
#include <vector>

#include "geometry/path.h"
#include "sprocket/job.h"

namespace toothwright {

// The DXF text for the outline and the holes: each hole in the order given, then the outline,
// as the program cuts them; the entities of each closed path in the path's order, so each
// contour is a closed loop of entities. Each arc is written with the radius it was constructed
// with. Without holes the drawing is the outline alone.
std::string WriteDxf(const Path& outline, const std::vector<Path>& holes = {});

// The job's drawing: its holes, then its outline.
std::string WriteDxf(const Job& job);

}  // namespace toothwright
