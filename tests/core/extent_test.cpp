// Sweeps and bounding boxes of arcs: an arc reaches beyond its ends exactly where it passes
// an axis direction of its circle.
#include "geometry/extent.h"

#include <gtest/gtest.h>

#include <numbers>

namespace toothwright {
namespace {

using enum SegmentKind;

Segment Arc(SegmentKind kind, Point start, Point end, Point centre, double radius) {
  return {.kind = kind, .start = start, .end = end, .centre = centre, .radius = radius};
}

TEST(Extent, SweepAndBoxOfOneSegment) {
  constexpr double kPi = std::numbers::pi;
  struct Case {
    const char* name;
    Segment segment;
    double sweep;
    Box box;
  };
  const Case cases[] = {
      {"quarter counter-clockwise",
       Arc(CounterClockwiseArc, {1, 0}, {0, 1}, {}, 1),
       kPi / 2,
       {0, 0, 1, 1, false}},
      {"three quarters clockwise",
       Arc(ClockwiseArc, {1, 0}, {0, 1}, {}, 1),
       3 * kPi / 2,
       {-1, -1, 1, 1, false}},
      {"lower half clockwise about (1, 2)",
       Arc(ClockwiseArc, {2, 2}, {0, 2}, {1, 2}, 1),
       kPi,
       {0, 1, 2, 2, false}},
      {"small arc across +X",
       Arc(CounterClockwiseArc, {3, -1}, {3, 1}, {0, 0}, 3.2),
       0.6435011,
       {3, -1, 3.2, 1, false}},
      {"line", Segment{.start = {-1, 4}, .end = {2, -3}}, 0, {-1, -3, 2, 4, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (IsArc(c.segment)) {
      EXPECT_NEAR(Sweep(c.segment), c.sweep, 1e-7);
    }
    EXPECT_EQ(Include(Box{}, Path{{c.segment}}), c.box);
  }
}

TEST(Extent, BoxGrowsOverPathsAndPoints) {
  // A circle of radius 1 about (5, 5) as two half circles, then a point beyond it.
  const Path circle{{Arc(CounterClockwiseArc, {4, 5}, {6, 5}, {5, 5}, 1),
                     Arc(CounterClockwiseArc, {6, 5}, {4, 5}, {5, 5}, 1)}};
  const Box box = Include(Box{}, circle);
  EXPECT_EQ(box, (Box{4, 4, 6, 6, false}));
  EXPECT_EQ(Include(box, Point{0, 7}), (Box{0, 4, 6, 7, false}));
  EXPECT_TRUE(Include(Box{}, Path{}).empty);
}

}  // namespace
}  // namespace toothwright
