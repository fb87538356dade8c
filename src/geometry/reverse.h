// A closed path travelled the other way round, from the same start point.
#pragma once

#include "geometry/path.h"

namespace toothwright {

// The same segments in reverse order, each from its end to its start, arcs turning the other
// way about the same centre with the same radius, role and tooth; the first segment starts at
// path's start. path: closed.
Path Reversed(const Path& path);

}  // namespace toothwright
