// Segments and closed paths travelled the other way.
#pragma once

#include "geometry/path.h"

namespace toothwright {

// The same segments in reverse order, each from its end to its start, arcs turning the other
// way about the same centre with the same radius, role and tooth; the first segment starts at
// path's start. path: closed.
Path Reversed(const Path& path);

// The segment from its end to its start: an arc turning the other way about the same centre
// with the same radius, role and tooth.
Segment Reversed(Segment s);

}  // namespace toothwright
