// An arc's sweep is taken from the directions of its stored ends about its stored centre; its
// length uses the stored radius, so a tab measured on one path gives the same length however
// the ends were rounded. The arctangent is the standard one, not the window's Atan2 with its
// decimal pi: lengths and boxes are to hold the geometry exactly.
#include "geometry/segment.h"

#include <cmath>
#include <numbers>
#include <utility>

#include "numbers/numbers.h"

namespace toothwright {
namespace {

constexpr double kTurn = 2 * std::numbers::pi;

double Direction(Point centre, Point p) {
  return std::atan2(p.y - centre.y, p.x - centre.x);
}

// Turn from the direction of `from` about the centre to the direction of `to`, in the arc's
// direction, in [0, 2*pi).
double TurnAbout(const Segment& s, Point from, Point to) {
  const double a0 = Direction(s.centre, from);
  const double a1 = Direction(s.centre, to);
  double turn = s.kind == SegmentKind::CounterClockwiseArc ? a1 - a0 : a0 - a1;
  while (turn < 0) turn += kTurn;
  while (turn >= kTurn) turn -= kTurn;
  return turn;
}

double Distance(Point a, Point b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

}  // namespace

double Sweep(const Segment& arc) {
  const double from = Direction(arc.centre, arc.start);
  const double to = Direction(arc.centre, arc.end);
  const double turn = arc.kind == SegmentKind::ClockwiseArc ? from - to : to - from;
  const double a = std::fmod(turn, kTurn);
  return a < 0 ? a + kTurn : a;
}

double SegmentLength(const Segment& s) {
  if (!IsArc(s)) return std::hypot(s.end.x - s.start.x, s.end.y - s.start.y);
  const double sweep = Sweep(s);
  return s.radius * (sweep == 0 ? kTurn : sweep);
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

Point Tangent(const Segment& s, Point p) {
  if (!IsArc(s)) return {s.end.x - s.start.x, s.end.y - s.start.y};
  const double rx = p.x - s.centre.x, ry = p.y - s.centre.y;
  return s.kind == SegmentKind::CounterClockwiseArc ? Point{-ry, rx} : Point{ry, -rx};
}

Point UnitTangent(const Segment& s, Point p) {
  const Point t = Tangent(s, p);
  const double length = std::hypot(t.x, t.y);
  if (length == 0) return {};
  return {t.x / length, t.y / length};
}

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

Segment Reversed(Segment s) {
  std::swap(s.start, s.end);
  if (s.kind == SegmentKind::CounterClockwiseArc) {
    s.kind = SegmentKind::ClockwiseArc;
  } else if (s.kind == SegmentKind::ClockwiseArc) {
    s.kind = SegmentKind::CounterClockwiseArc;
  }
  return s;
}

Point Round4(Point p) {
  return {Round4(p.x), Round4(p.y)};
}

Point Round4Unsigned(Point p) {
  // Adding 0 turns a negative zero into 0 and leaves every other value as it is.
  return {Round4(p.x) + 0.0, Round4(p.y) + 0.0};
}

Point CutPoint(const Segment& s, double length) {
  return Round4(PointAlong(s, length));
}

SplitSegment SplitAt(const Segment& s, double length) {
  SplitSegment pieces{s, s};
  pieces.before.end = pieces.after.start = CutPoint(s, length);
  return pieces;
}

}  // namespace toothwright
