// Angle helpers: exact conversions and quadrant angles to double precision.
#include "geometry/angles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace toothwright {
namespace {

constexpr double kPi = 3.141592653589793;

struct Case {
  const char* name;
  double (*function)(double);
  double argument;
  double expected;
};

TEST(AngleConversions, ExactToDoublePrecision) {
  const Case cases[] = {
      {"180 degrees", DegToRad, 180, 3.141592653589793},
      {"90 degrees", DegToRad, 90, 1.5707963267948966},
      {"full turn is not reduced", RadToDeg, 2 * kPi, 360},
      {"three half turns", RadToDeg, 3 * kPi, 180},
      {"half turn", RadToDeg, kPi, 180},
      {"seven radians", RadToDeg, 7, 41.07045659157626},
      {"negative stays negative", RadToDeg, -kPi / 2, -90},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.function(c.argument), c.expected);
  }
}

TEST(AngleConversions, HugeRadiansEndWithoutHanging) {
  EXPECT_TRUE(std::isfinite(RadToDeg(1e300)));
  EXPECT_LT(RadToDeg(1e300), 360.0);
  EXPECT_TRUE(std::isnan(RadToDeg(std::numeric_limits<double>::infinity())));
}

TEST(Atan2, AxesAndQuadrantsWithDecimalPi) {
  struct AtanCase {
    const char* name;
    double x, y, expected;
  };
  const AtanCase cases[] = {
      {"origin", 0, 0, 0},
      {"+X axis", 1, 0, 0},
      {"-X axis uses the decimal pi", -1, 0, 3.14159265358979},
      {"+Y axis via 1e-9", 0, 1, 1.5707963257948967},
      {"-Y axis via 1e-9", 0, -1, 4.7123889813846835},
      {"first quadrant", 1, 1, 0.7853981633974483},
      {"second quadrant", -1, 1, 2.3561944901923417},
      {"third quadrant", -1, -1, 3.9269908169872383},
      {"fourth quadrant", 1, -1, 5.497787143782132},
  };
  for (const AtanCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Atan2(c.x, c.y), c.expected);
  }
}

}  // namespace
}  // namespace toothwright
