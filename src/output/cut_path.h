// The path the program follows round each contour, as a drawing: for cutting software that does
// not offset the part by its tool's or its beam's width itself. Each contour's path is a closed
// loop of arcs and lines half the tool diameter (or the kerf) off the part: outside the outline,
// inside the holes.
#pragma once

#include <optional>
#include <string>

#include "sprocket/job.h"

namespace toothwright {

// Whether the job's program follows a path offset from the part: it has a tool diameter or a
// kerf. Without one the part's own drawings (WriteDxf, WriteDrawingSvg) are its path.
bool HasCutPath(const Job& job);

// The cut path as a DXF drawing, the holes' loops then the outline's, with the design's unit
// header and polylines when asked for. The job has a cut path (HasCutPath).
std::string WriteCutPathDxf(const Job& job);

// The cut path as an SVG document at true size, like the part's drawing to scale.
std::string WriteCutPathSvg(const Job& job);

}  // namespace toothwright
