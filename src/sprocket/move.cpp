// A move is measured as the controller makes it: an arc about the centre its I and J give,
// with the radius to its start.
#include "sprocket/move.h"

#include <cmath>

#include "geometry/segment.h"

namespace toothwright {

Segment Across(const Move& m) {
  Segment s;
  s.start = m.start;
  s.end = m.end;
  if (!IsArc(m)) return s;
  s.kind = m.kind == MoveKind::ClockwiseArc ? SegmentKind::ClockwiseArc
                                            : SegmentKind::CounterClockwiseArc;
  s.centre = m.centre;
  s.radius = std::hypot(m.start.x - m.centre.x, m.start.y - m.centre.y);
  return s;
}

double MoveLength(const Move& m) {
  return std::hypot(SegmentLength(Across(m)), m.z_to - m.z_from);
}

}  // namespace toothwright
