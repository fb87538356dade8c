// The DXF drawing: one ENTITIES section on layer 0, one entity per segment of the outline
// (ARC, or LINE for a straight segment); every line ends in CR LF.
#pragma once

#include <string>

#include "geometry/path.h"

namespace toothwright {

// The DXF text for a closed path, its entities in the path's order; each arc is written
// with the radius it was constructed with.
std::string WriteDxf(const Path& path);

}  // namespace toothwright
