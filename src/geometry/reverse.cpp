#include "geometry/reverse.h"

#include <cstddef>

#include "geometry/segment.h"

namespace toothwright {

Path Reversed(const Path& path) {
  Path out;
  out.segments.reserve(path.segments.size());
  for (size_t k = path.segments.size(); k-- > 0;)
    out.segments.push_back(Reversed(path.segments[k]));
  return out;
}

}  // namespace toothwright
