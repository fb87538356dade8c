// Cutting a segment in two: the pieces join at the rounded cut and together are the segment.
#include "geometry/segment.h"

#include <gtest/gtest.h>

namespace toothwright {
namespace {

using enum SegmentKind;

TEST(Segment, SplitPiecesJoinAndAddUpToTheWhole) {
  // The cut point moves by at most half a unit of the fourth decimal each way.
  constexpr double kRoundingSlack = 1e-4;
  struct Case {
    const char* name;
    Segment s;
    double at;
  };
  const Case cases[] = {
      {"line", {Line, SegmentRole::Hole, {0, 0}, {3, 4}, {}, 0}, 1.23456},
      {"counter-clockwise arc",
       {CounterClockwiseArc, SegmentRole::Seat, {1, 0}, {-1, 0}, {}, 1},
       1},
      {"clockwise three quarters", {ClockwiseArc, SegmentRole::Flank, {2, 0}, {0, 2}, {}, 2}, 7.5},
      {"full circle", {ClockwiseArc, SegmentRole::Hole, {0, -1}, {0, -1}, {}, 1}, 0.3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto [before, after] = SplitAt(c.s, c.at);
    EXPECT_EQ(before.start, c.s.start);
    EXPECT_EQ(before.end, after.start);
    EXPECT_EQ(after.end, c.s.end);
    EXPECT_EQ(before.end, Round4(before.end));
    EXPECT_NEAR(SegmentLength(before), c.at, kRoundingSlack);
    EXPECT_NEAR(SegmentLength(before) + SegmentLength(after), SegmentLength(c.s), kRoundingSlack);
  }
}

}  // namespace
}  // namespace toothwright
