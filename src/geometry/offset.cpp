// Every segment is offset on its own first; then each junction (segment k's end, segment
// k + 1's start, the last one with the first) is settled by how far and which way the path
// turns there, measured on the tangents of the path itself.
#include "geometry/offset.h"

#include <cassert>
#include <cmath>
#include <cstddef>
#include <vector>

#include "geometry/intersections.h"
#include "geometry/segment.h"

namespace toothwright {
namespace {

// p moved `distance` to the right of the direction of travel t (of length 1).
Point ToTheRight(Point p, Point t, double distance) {
  return {p.x + distance * t.y, p.y - distance * t.x};
}

std::optional<Segment> OffsetSegment(const Segment& s, double distance) {
  Segment o = s;
  o.start = ToTheRight(s.start, UnitTangent(s, s.start), distance);
  o.end = ToTheRight(s.end, UnitTangent(s, s.end), distance);
  // The right side of a counter-clockwise arc faces away from its centre.
  if (s.kind == SegmentKind::CounterClockwiseArc) o.radius = s.radius + distance;
  if (s.kind == SegmentKind::ClockwiseArc) o.radius = s.radius - distance;
  if (IsArc(s) && !(o.radius > 0)) return std::nullopt;
  return o;
}

double Distance(Point a, Point b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

// The points where two lines, or a line and a circle, or two circles meet (the whole line or
// circle of each segment).
std::vector<Point> Meet(const Segment& a, const Segment& b) {
  if (!IsArc(a) && !IsArc(b)) {
    const Point da = Tangent(a, a.start), db = Tangent(b, b.start);
    const double cross = da.x * db.y - da.y * db.x;
    if (cross == 0) return {};
    const double t = ((b.start.x - a.start.x) * db.y - (b.start.y - a.start.y) * db.x) / cross;
    return {{a.start.x + t * da.x, a.start.y + t * da.y}};
  }
  if (!IsArc(a) || !IsArc(b)) {
    const Segment& line = IsArc(a) ? b : a;
    const Segment& arc = IsArc(a) ? a : b;
    const Point d = UnitTangent(line, line.start);
    // Foot of the perpendicular from the centre, then half chords either way.
    const double along = (arc.centre.x - line.start.x) * d.x + (arc.centre.y - line.start.y) * d.y;
    const Point foot{line.start.x + along * d.x, line.start.y + along * d.y};
    const double off = Distance(foot, arc.centre);
    if (off > arc.radius) return {};
    const double half = std::sqrt(arc.radius * arc.radius - off * off);
    return {{foot.x + half * d.x, foot.y + half * d.y}, {foot.x - half * d.x, foot.y - half * d.y}};
  }
  Point p, q;
  if (circle_circle_intersection(a.centre.x, a.centre.y, a.radius, b.centre.x, b.centre.y, b.radius,
                                 p.x, p.y, q.x, q.y) == 0) {
    return {};
  }
  return {p, q};
}

}  // namespace

std::optional<Path> OffsetPath(const Path& path, double distance) {
  assert(!path.segments.empty());
  const size_t n = path.segments.size();
  std::vector<Segment> offsets;
  offsets.reserve(n);
  for (const Segment& s : path.segments) {
    std::optional<Segment> o = OffsetSegment(s, distance);
    if (!o) return std::nullopt;
    offsets.push_back(*o);
  }
  // roundings[k]: the arc round the corner at the end of segment k, when it is convex.
  std::vector<std::optional<Segment>> roundings(n);
  for (size_t k = 0; k < n; ++k) {
    const Segment& a = path.segments[k];
    const Segment& b = path.segments[(k + 1) % n];
    assert(a.end == b.start);
    const Point ta = UnitTangent(a, a.end);
    const Point tb = UnitTangent(b, b.start);
    const double turn = std::atan2(ta.x * tb.y - ta.y * tb.x, ta.x * tb.x + ta.y * tb.y);
    Segment& oa = offsets[k];
    Segment& ob = offsets[(k + 1) % n];
    if (std::fabs(turn) < kSmoothTurn) {
      ob.start = oa.end;
    } else if (turn * distance > 0) {
      // Turning left while the offset lies on the right (or the mirror case) opens a gap,
      // closed by an arc about the corner turning the same way as the path.
      roundings[k] =
          Segment{.kind = turn > 0 ? SegmentKind::CounterClockwiseArc : SegmentKind::ClockwiseArc,
                  .role = SegmentRole::Rounding,
                  .start = oa.end,
                  .end = ob.start,
                  .centre = a.end,
                  .radius = std::fabs(distance),
                  .tooth = a.tooth};
    } else {
      const std::vector<Point> meets = Meet(oa, ob);
      if (meets.empty()) return std::nullopt;
      Point nearest = meets.front();
      for (const Point& p : meets) {
        if (Distance(p, a.end) < Distance(nearest, a.end)) nearest = p;
      }
      oa.end = nearest;
      ob.start = nearest;
    }
  }
  Path out;
  out.segments.reserve(2 * n);
  for (size_t k = 0; k < n; ++k) {
    out.segments.push_back(offsets[k]);
    if (roundings[k]) out.segments.push_back(*roundings[k]);
  }
  return out;
}

}  // namespace toothwright
