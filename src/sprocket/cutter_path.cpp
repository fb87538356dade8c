#include "sprocket/cutter_path.h"

#include <cassert>

#include "geometry/offset.h"
#include "geometry/segment.h"

namespace toothwright {

std::optional<Path> CutterPath(const Path& contour, double tool_diameter) {
  assert(tool_diameter > 0);
  std::optional<Path> offset = OffsetPath(contour, tool_diameter / 2);
  if (!offset) return std::nullopt;
  Path out;
  out.segments.reserve(offset->segments.size());
  for (Segment s : offset->segments) {
    const bool closed_on_itself = s.start == s.end;  // a whole circle stays one
    s.start = Round4(s.start);
    s.end = Round4(s.end);
    if (s.start == s.end && !closed_on_itself) continue;
    out.segments.push_back(s);
  }
  assert(!out.segments.empty());
  return out;
}

}  // namespace toothwright
