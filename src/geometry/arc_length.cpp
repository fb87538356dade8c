// An arc's sweep is taken from the directions of its stored ends about its stored centre; the
// length uses the stored radius, so a tab measured on one path gives the same length however
// the ends were rounded.
#include "geometry/arc_length.h"

#include <cmath>
#include <numbers>

namespace toothwright {
namespace {

// Turn from the start direction to the end direction in the arc's direction, in (0, 2*pi].
double Sweep(const Segment& s) {
  const double a0 = std::atan2(s.start.y - s.centre.y, s.start.x - s.centre.x);
  const double a1 = std::atan2(s.end.y - s.centre.y, s.end.x - s.centre.x);
  double turn = s.kind == SegmentKind::CounterClockwiseArc ? a1 - a0 : a0 - a1;
  while (turn <= 0) turn += 2 * std::numbers::pi;
  while (turn > 2 * std::numbers::pi) turn -= 2 * std::numbers::pi;
  return turn;
}

}  // namespace

double SegmentLength(const Segment& s) {
  if (!IsArc(s)) return std::hypot(s.end.x - s.start.x, s.end.y - s.start.y);
  return s.radius * Sweep(s);
}

Point PointAlong(const Segment& s, double length) {
  if (!IsArc(s)) {
    const double total = SegmentLength(s);
    if (total == 0) return s.start;
    const double t = length / total;
    return {s.start.x + t * (s.end.x - s.start.x), s.start.y + t * (s.end.y - s.start.y)};
  }
  const double turn = (s.kind == SegmentKind::CounterClockwiseArc ? 1 : -1) * length / s.radius;
  const double dx = s.start.x - s.centre.x;
  const double dy = s.start.y - s.centre.y;
  const double c = std::cos(turn);
  const double sn = std::sin(turn);
  return {s.centre.x + c * dx - sn * dy, s.centre.y + sn * dx + c * dy};
}

}  // namespace toothwright
