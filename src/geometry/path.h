// A closed path of arcs and straight lines: the sprocket's outline, the cutter's path and
// every hole are values of this type, and every writer walks one in order. Coordinates are
// in the part's length unit, the sprocket centre at the origin, y up.
#pragma once

#include <algorithm>
#include <vector>

namespace toothwright {

struct Point {
  double x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

enum class SegmentKind : unsigned char {
  Line,
  CounterClockwiseArc,
  ClockwiseArc,
};

// What a segment is to the part: the writers draw every kind alike; the preview measures its
// radii per kind, and machining places tabs by the teeth.
enum class SegmentRole : unsigned char {
  Flank,     // a flank of a tooth, about a neighbouring roller centre
  Seat,      // a roller seat, about its roller centre
  Top,       // the top of a topped tooth, about the sprocket centre
  Rounding,  // the cutter's turn round a convex corner, about the corner point
  Hole,      // a bore, keyway or bolt hole edge
};
inline constexpr int kSegmentRoles = 5;

struct Segment {
  SegmentKind kind = SegmentKind::Line;
  SegmentRole role = SegmentRole::Flank;
  Point start, end;
  Point centre;       // arcs: the centre every output is computed from
  double radius = 0;  // arcs: the radius the arc was constructed with
  int tooth = 0;      // the tooth (1..N) the segment belongs to; 0 when none
};

inline bool IsArc(const Segment& s) {
  return s.kind != SegmentKind::Line;
}

// Segments in cutting order; each ends where the next starts and the last where the first
// starts. A writer starts at the first segment's start.
struct Path {
  std::vector<Segment> segments;
};

// The highest tooth among the path's segments (Segment::tooth): the tooth count of a
// sprocket's outline or of a path made from it; 0 for a path without teeth.
inline int HighestTooth(const Path& path) {
  int N = 0;
  for (const Segment& s : path.segments) N = std::max(N, s.tooth);
  return N;
}

}  // namespace toothwright
