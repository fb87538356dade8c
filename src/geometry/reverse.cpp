#include "geometry/reverse.h"

#include <utility>

namespace toothwright {

Path Reversed(const Path& path) {
  Path out;
  out.segments.assign(path.segments.rbegin(), path.segments.rend());
  for (Segment& s : out.segments) {
    std::swap(s.start, s.end);
    if (s.kind == SegmentKind::CounterClockwiseArc) {
      s.kind = SegmentKind::ClockwiseArc;
    } else if (s.kind == SegmentKind::ClockwiseArc) {
      s.kind = SegmentKind::CounterClockwiseArc;
    }
  }
  return out;
}

}  // namespace toothwright
