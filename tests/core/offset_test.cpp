// Offsetting closed paths: lines and arcs move sideways, convex corners get rounding arcs,
// concave corners are trimmed, near-tangent junctions join directly, on either side.
#include "geometry/offset.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "geometry/arc_length.h"

namespace toothwright {
namespace {

// Points computed by offsetting lie within a few ulps of the exact ones.
constexpr double kExact = 1e-12;

Path Polygon(const std::vector<Point>& corners) {
  Path p;
  for (size_t k = 0; k < corners.size(); ++k) {
    p.segments.push_back({.kind = SegmentKind::Line,
                          .start = corners[k],
                          .end = corners[(k + 1) % corners.size()],
                          .tooth = static_cast<int>(k)});
  }
  return p;
}

// A circle about the origin as two half arcs, counter-clockwise or clockwise.
Path Circle(double r, SegmentKind kind) {
  const Point right{r, 0}, left{-r, 0};
  return {{{.kind = kind, .role = SegmentRole::Hole, .start = right, .end = left, .radius = r},
           {.kind = kind, .role = SegmentRole::Hole, .start = left, .end = right, .radius = r}}};
}

void ExpectClosedAndJoined(const Path& p) {
  ASSERT_FALSE(p.segments.empty());
  for (size_t k = 0; k < p.segments.size(); ++k) {
    EXPECT_EQ(p.segments[k].end, p.segments[(k + 1) % p.segments.size()].start) << k;
  }
}

int Count(const Path& p, SegmentRole role) {
  int n = 0;
  for (const Segment& s : p.segments) n += s.role == role;
  return n;
}

double Length(const Path& p) {
  double total = 0;
  for (const Segment& s : p.segments) total += SegmentLength(s);
  return total;
}

TEST(Offset, SquareOutwardsGetsARoundingArcAtEveryCorner) {
  const Path square = Polygon({{0, 0}, {1, 0}, {1, 1}, {0, 1}});  // counter-clockwise
  const auto out = OffsetPath(square, 0.1);
  ASSERT_TRUE(out);
  ExpectClosedAndJoined(*out);
  ASSERT_EQ(out->segments.size(), 8u);
  EXPECT_EQ(Count(*out, SegmentRole::Rounding), 4);
  const Segment& corner = out->segments[1];
  EXPECT_EQ(corner.kind, SegmentKind::CounterClockwiseArc);
  EXPECT_EQ(corner.centre, (Point{1, 0}));
  EXPECT_EQ(corner.radius, 0.1);
  EXPECT_EQ(corner.tooth, 0);  // the tooth of the segment ending at the corner
  EXPECT_NEAR(Length(*out), 4 + 2 * std::numbers::pi * 0.1, kExact);
}

TEST(Offset, SquareInwardsIsTrimmedAtEveryCorner) {
  const Path square = Polygon({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
  const auto in = OffsetPath(square, -0.1);
  ASSERT_TRUE(in);
  ExpectClosedAndJoined(*in);
  ASSERT_EQ(in->segments.size(), 4u);
  EXPECT_NEAR(in->segments[0].start.x, 0.1, kExact);
  EXPECT_NEAR(in->segments[0].start.y, 0.1, kExact);
  EXPECT_NEAR(Length(*in), 4 * 0.8, kExact);
}

// An L: the corner at (1, 1) turns right on a counter-clockwise walk, concave from outside.
TEST(Offset, ConcaveCornerOfAnLIsTrimmedWhereTheOffsetsMeet) {
  const Path l = Polygon({{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}});
  const auto out = OffsetPath(l, 0.25);
  ASSERT_TRUE(out);
  ExpectClosedAndJoined(*out);
  EXPECT_EQ(Count(*out, SegmentRole::Rounding), 5);
  bool trimmed = false;
  for (const Segment& s : out->segments) {
    trimmed |= std::fabs(s.end.x - 1.25) < kExact && std::fabs(s.end.y - 1.25) < kExact;
  }
  EXPECT_TRUE(trimmed);
}

TEST(Offset, HoleTravelledClockwiseShrinksToTheRight) {
  struct Case {
    const char* name;
    SegmentKind kind;
    double distance, radius;
  };
  const Case cases[] = {
      {"clockwise, right: inwards", SegmentKind::ClockwiseArc, 0.2, 0.8},
      {"clockwise, left: outwards", SegmentKind::ClockwiseArc, -0.2, 1.2},
      {"counter-clockwise, right: outwards", SegmentKind::CounterClockwiseArc, 0.2, 1.2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto out = OffsetPath(Circle(1, c.kind), c.distance);
    ASSERT_TRUE(out);
    ExpectClosedAndJoined(*out);
    ASSERT_EQ(out->segments.size(), 2u);
    for (const Segment& s : out->segments) {
      EXPECT_EQ(s.radius, c.radius);
      EXPECT_NEAR(std::hypot(s.start.x, s.start.y), c.radius, kExact);
      EXPECT_EQ(s.role, SegmentRole::Hole);
    }
  }
}

TEST(Offset, ArcShrinkingToNothingIsAResult) {
  EXPECT_FALSE(OffsetPath(Circle(1, SegmentKind::ClockwiseArc), 1));
  EXPECT_FALSE(OffsetPath(Circle(1, SegmentKind::CounterClockwiseArc), -1.5));
}

// A kink below kSmoothTurn (points held to four decimals leave about 1e-4 rad) gets no
// rounding arc: the next offset starts where the previous one ended.
TEST(Offset, NearTangentJunctionJoinsDirectly) {
  const double kink = kSmoothTurn / 2;
  const Path p = Polygon({{0, 0}, {1, 0}, {2, std::tan(kink)}, {2, 2}, {0, 2}});
  const auto out = OffsetPath(p, 0.1);
  ASSERT_TRUE(out);
  ExpectClosedAndJoined(*out);
  EXPECT_EQ(Count(*out, SegmentRole::Rounding), 4);  // the four corners, not the kink
  EXPECT_EQ(out->segments[1].start, out->segments[0].end);
  EXPECT_NEAR(out->segments[0].end.y, -0.1, kExact);
}

TEST(ArcLength, ArcsLinesAndPointsAlong) {
  const Segment quarter{.kind = SegmentKind::CounterClockwiseArc,
                        .start = {2, 0},
                        .end = {0, 2},
                        .centre = {0, 0},
                        .radius = 2};
  EXPECT_NEAR(SegmentLength(quarter), std::numbers::pi, kExact);
  const Point mid = PointAlong(quarter, std::numbers::pi / 2);
  EXPECT_NEAR(mid.x, std::sqrt(2.0), kExact);
  EXPECT_NEAR(mid.y, std::sqrt(2.0), kExact);
  Segment back = quarter;
  back.kind = SegmentKind::ClockwiseArc;  // the other way round: three quarters
  EXPECT_NEAR(SegmentLength(back), 3 * std::numbers::pi, kExact);
  Segment full = quarter;
  full.end = full.start;
  EXPECT_NEAR(SegmentLength(full), 4 * std::numbers::pi, kExact);
  const Segment line{.kind = SegmentKind::Line, .start = {0, 0}, .end = {3, 4}};
  EXPECT_EQ(SegmentLength(line), 5);
  EXPECT_EQ(PointAlong(line, 2.5), (Point{1.5, 2}));
}

}  // namespace
}  // namespace toothwright
