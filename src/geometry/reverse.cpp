#include "geometry/reverse.h"

#include <cstddef>
#include <utility>

namespace toothwright {

Segment Reversed(Segment s) {
  std::swap(s.start, s.end);
  if (s.kind == SegmentKind::CounterClockwiseArc) {
    s.kind = SegmentKind::ClockwiseArc;
  } else if (s.kind == SegmentKind::ClockwiseArc) {
    s.kind = SegmentKind::CounterClockwiseArc;
  }
  return s;
}

Path Reversed(const Path& path) {
  Path out;
  out.segments.reserve(path.segments.size());
  for (size_t k = path.segments.size(); k-- > 0;)
    out.segments.push_back(Reversed(path.segments[k]));
  return out;
}

}  // namespace toothwright
