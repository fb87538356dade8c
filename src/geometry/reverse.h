// Closed paths travelled the other way (a segment's reversal is in segment.h).
#pragma once

#include "geometry/path.h"

namespace toothwright {

// The same segments in reverse order, each from its end to its start, arcs turning the other
// way about the same centre with the same radius, role and tooth; the first segment starts at
// path's start. path: closed.
Path Reversed(const Path& path);

}  // namespace toothwright
