// Intersections: crossing, touching and missing cases, and the degenerate ones that must
// not fail.
#include "geometry/intersections.h"

#include <gtest/gtest.h>

#include <cmath>

namespace toothwright {
namespace {

struct Point {
  double x, y;
};

TEST(CircleCircleIntersection, MeetingTouchingApartInside) {
  struct Case {
    const char* name;
    double x0, y0, r0, x1, y1, r1;
    int result;
    Point left, right;  // expected outputs; (99, 99) means untouched
  };
  const Case cases[] = {
      {"two points", 0, 0, 1, 1, 0, 1, 1, {0.5, 0.8660254037844386}, {0.5, -0.8660254037844386}},
      {"touching", 0, 0, 1, 2, 0, 1, 1, {1, 0}, {1, 0}},
      {"apart", 0, 0, 1, 3, 0, 1, 0, {99, 99}, {99, 99}},
      {"one inside the other", 0, 0, 3, 0.5, 0, 1, 0, {99, 99}, {99, 99}},
      {"coincident centres", 1, 1, 2, 1, 1, 2, 0, {99, 99}, {99, 99}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    double xi = 99, yi = 99, xp = 99, yp = 99;
    EXPECT_EQ(circle_circle_intersection(c.x0, c.y0, c.r0, c.x1, c.y1, c.r1, xi, yi, xp, yp),
              c.result);
    EXPECT_EQ(xi, c.left.x);
    EXPECT_EQ(yi, c.left.y);
    EXPECT_EQ(xp, c.right.x);
    EXPECT_EQ(yp, c.right.y);
  }
}

TEST(CircleCircleIntersection, NearlyTouchingNeverGivesNaN) {
  // Radii that make the circles touch up to rounding: h must come out 0, not NaN.
  for (double d = 0.1; d < 10; d *= 1.37) {
    double xi = 0, yi = 0, xp = 0, yp = 0;
    const int meets = circle_circle_intersection(0, 0, d / 3, d, 0, d - d / 3, xi, yi, xp, yp);
    if (meets == 1) {
      EXPECT_FALSE(std::isnan(yi)) << d;
      EXPECT_FALSE(std::isnan(yp)) << d;
    }
  }
}

TEST(LineCircle, CrossingTouchingMissingAndVerticalLine) {
  struct Case {
    const char* name;
    Point a, b, centre;
    double radius;
    Point first, second;
  };
  const Case cases[] = {
      {"x axis through radius 2", {0, 0}, {1, 0}, {0, 0}, 2, {2, 0}, {-2, 0}},
      {"slanted line", {0, 1}, {1, 2}, {0, 0}, 1, {0, 1}, {-1, 0}},
      {"touching", {0, 1}, {1, 1}, {0, 0}, 1, {0, 1}, {0, 1}},
      {"missing", {0, 2}, {1, 2}, {0, 0}, 1, {1, 0}, {1, 0}},
      {"tiny discriminant counts as zero", {0, 0}, {1, 0}, {0, 0}, 0.000000004, {0, 0}, {0, 0}},
      {"vertical line, larger y first", {1, 0}, {1, 5}, {1, 1}, 2, {1, 3}, {1, -1}},
      {"vertical line missing", {5, 0}, {5, 1}, {0, 0}, 1, {1, 0}, {1, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    LineCircle(c.a.x, c.a.y, c.b.x, c.b.y, c.centre.x, c.centre.y, c.radius, x1, y1, x2, y2);
    EXPECT_EQ(x1, c.first.x);
    EXPECT_EQ(y1, c.first.y);
    EXPECT_EQ(x2, c.second.x);
    EXPECT_EQ(y2, c.second.y);
  }
}

TEST(ZeroLineDistance, DistanceFromOrigin) {
  EXPECT_EQ(ZeroLineDistance(3, 4), 5);
  EXPECT_EQ(ZeroLineDistance(-3, -4), 5);
  EXPECT_EQ(ZeroLineDistance(0, 0), 0);
}

}  // namespace
}  // namespace toothwright
