// The path of the cutter's centre for a contour the program cuts, when the program offsets the
// cutter itself instead of leaving it to the controller's G42.
#pragma once

#include <optional>

#include "geometry/path.h"

namespace toothwright {

// The contour offset to the right of its direction of travel by tool_diameter / 2, as G42
// would: outwards for the counter-clockwise outline, inwards for a clockwise hole. Every end
// point is rounded to four decimals like the outline's; a segment whose ends only meet after
// that rounding (a sliver shorter than the coordinates show, which a controller would read as
// a full circle) is left out. tool_diameter > 0. nullopt when the offset fails (OffsetPath).
std::optional<Path> CutterPath(const Path& contour, double tool_diameter);

}  // namespace toothwright
