// Sweeps and bounding boxes: an arc reaches beyond its ends where it passes an axis direction.
#include "geometry/extent.h"

#include <gtest/gtest.h>

#include <numbers>

#include "geometry/segment.h"

namespace toothwright {
namespace {

using enum SegmentKind;

TEST(Extent, ArcsReachTheAxisPointsTheyPass) {
  constexpr double kPi = std::numbers::pi;
  // From +X to +Y: a quarter turn counter-clockwise within its ends, or three quarters
  // clockwise through -Y and -X; a short arc across +X reaches out to its radius there.
  const Segment quarter{CounterClockwiseArc, SegmentRole::Hole, {1, 0}, {0, 1}, {}, 1};
  const Segment rest{ClockwiseArc, SegmentRole::Hole, {1, 0}, {0, 1}, {}, 1};
  const Segment across{CounterClockwiseArc, SegmentRole::Hole, {3, -1}, {3, 1}, {}, 3.2};
  EXPECT_DOUBLE_EQ(Sweep(quarter), kPi / 2);
  EXPECT_DOUBLE_EQ(Sweep(rest), 3 * kPi / 2);
  EXPECT_EQ(Include(Box{}, Path{{quarter}}), (Box{0, 0, 1, 1, false}));
  EXPECT_EQ(Include(Box{}, Path{{rest}}), (Box{-1, -1, 1, 1, false}));
  EXPECT_EQ(Include(Box{}, Path{{across}}), (Box{3, -1, 3.2, 1, false}));
  EXPECT_EQ(Include(Include(Box{}, Point{1, 2}), Point{0, 7}), (Box{0, 2, 1, 7, false}));
  EXPECT_TRUE(Include(Box{}, Path{}).empty);
}

}  // namespace
}  // namespace toothwright
