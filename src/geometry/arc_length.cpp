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

// Turn from the direction of `from` about the centre to the direction of `to`, in the arc's
// direction, in [0, 2*pi).
double TurnAbout(const Segment& s, Point from, Point to) {
  const double a0 = std::atan2(from.y - s.centre.y, from.x - s.centre.x);
  const double a1 = std::atan2(to.y - s.centre.y, to.x - s.centre.x);
  double turn = s.kind == SegmentKind::CounterClockwiseArc ? a1 - a0 : a0 - a1;
  while (turn < 0) turn += 2 * std::numbers::pi;
  while (turn >= 2 * std::numbers::pi) turn -= 2 * std::numbers::pi;
  return turn;
}

double Distance(Point a, Point b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

}  // namespace

NearestOnSegment Nearest(const Segment& s, Point p) {
  const double length = SegmentLength(s);
  // The nearer end, unless a point inside the segment is nearer still.
  NearestOnSegment best{Distance(p, s.start), 0};
  if (Distance(p, s.end) < best.distance) best = {Distance(p, s.end), length};
  if (!IsArc(s)) {
    if (length == 0) return best;
    const double t =
        ((p.x - s.start.x) * (s.end.x - s.start.x) + (p.y - s.start.y) * (s.end.y - s.start.y)) /
        (length * length);
    if (t > 0 && t < 1) best = {Distance(p, PointAlong(s, t * length)), t * length};
    return best;
  }
  if (p == s.centre) return best;
  const double along = s.radius * TurnAbout(s, s.start, p);
  if (along < length) best = {std::fabs(Distance(p, s.centre) - s.radius), along};
  return best;
}

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

Point StartTangent(const Segment& s) {
  if (!IsArc(s)) return {s.end.x - s.start.x, s.end.y - s.start.y};
  const double rx = s.start.x - s.centre.x, ry = s.start.y - s.centre.y;
  return s.kind == SegmentKind::CounterClockwiseArc ? Point{-ry, rx} : Point{ry, -rx};
}

}  // namespace toothwright
