// Offsetting closed paths on either side: convex corners get rounding arcs, concave ones are
// trimmed, near-tangent junctions join directly, arcs grow or shrink about their centres.
#include "geometry/offset.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace toothwright {
namespace {

constexpr double kExact = 1e-12;  // a few ulps of the exact points

Path Polygon(const std::vector<Point>& corners) {
  Path p;
  for (size_t k = 0; k < corners.size(); ++k) {
    p.segments.push_back({.start = corners[k], .end = corners[(k + 1) % corners.size()]});
  }
  return p;
}

// Closed and joined, and how many rounding arcs it has.
int Roundings(const Path& p) {
  int n = 0;
  for (size_t k = 0; k < p.segments.size(); ++k) {
    EXPECT_EQ(p.segments[k].end, p.segments[(k + 1) % p.segments.size()].start) << k;
    n += p.segments[k].role == SegmentRole::Rounding;
  }
  return n;
}

TEST(Offset, CornersOfPolygons) {
  struct Case {
    const char* name;
    std::vector<Point> corners;  // counter-clockwise
    double distance;
    int roundings;
    Point trimmed_corner;  // the first segment's start
  };
  const double kink = kSmoothTurn / 2;
  const Case cases[] = {
      {"square outwards", {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, 0.1, 4, {0, -0.1}},
      {"square inwards: every corner trimmed",
       {{0, 0}, {1, 0}, {1, 1}, {0, 1}},
       -0.1,
       0,
       {0.1, 0.1}},
      {"L outwards: its inner corner trimmed",
       {{1, 1}, {1, 2}, {0, 2}, {0, 0}, {2, 0}, {2, 1}},
       0.25,
       5,
       {1.25, 1.25}},
      {"a kink below kSmoothTurn is no corner",
       {{1, 0}, {2, std::tan(kink)}, {2, 2}, {0, 2}, {0, 0}},
       0.1,
       4,
       {1, -0.1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto out = OffsetPath(Polygon(c.corners), c.distance);
    ASSERT_TRUE(out);
    EXPECT_EQ(Roundings(*out), c.roundings);
    EXPECT_NEAR(out->segments[0].start.x, c.trimmed_corner.x, kExact);
    EXPECT_NEAR(out->segments[0].start.y, c.trimmed_corner.y, kExact);
  }
}

// A hole is travelled clockwise: the right side, where G42 puts the cutter, is inside.
TEST(Offset, CircleGrowsOrShrinksByItsSide) {
  struct Case {
    const char* name;
    SegmentKind kind;
    double distance, radius;  // radius 0: no path
  };
  const Case cases[] = {
      {"clockwise, right: inwards", SegmentKind::ClockwiseArc, 0.2, 0.8},
      {"clockwise, left: outwards", SegmentKind::ClockwiseArc, -0.2, 1.2},
      {"counter-clockwise, right: outwards", SegmentKind::CounterClockwiseArc, 0.2, 1.2},
      {"shrunk to nothing", SegmentKind::ClockwiseArc, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Segment half{.kind = c.kind, .start = {1, 0}, .end = {-1, 0}, .radius = 1};
    Segment other = half;
    std::swap(other.start, other.end);
    const auto out = OffsetPath({{half, other}}, c.distance);
    ASSERT_EQ(out.has_value(), c.radius > 0);
    if (!out) continue;
    EXPECT_EQ(Roundings(*out), 0);
    EXPECT_EQ(out->segments[0].radius, c.radius);
    EXPECT_NEAR(out->segments[0].start.x, c.radius, kExact);
  }
}

}  // namespace
}  // namespace toothwright
