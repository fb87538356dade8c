// The tooth profile: ANSI 40, 18 teeth point for point, diameters of other chains and counts,
// and the outline closing.
#include "sprocket/tooth_profile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <variant>

#include "sprocket/run.h"
#include "support/sprockets.h"

namespace toothwright {
namespace {

struct Row {
  size_t i;
  double roller_x, roller_y, start_x, start_y, tip_x, tip_y, end_x, end_y;
};

TEST(ToothProfile, Ansi40EighteenTeethPoints) {
  const SprocketRun run = MakeSprocket("0.5", "18", "0.3125");
  const ToothProfile& p = run.profile;
  ASSERT_EQ(p.RollerX.size(), 19u);
  const Row rows[] = {
      {0, 0, 0, 0, 0, 0, 0, 0, 0},
      {1, 1.3529, 0.4924, 1.2748, 0.6277, 1.4322, 0.8269, 1.181, 0.7901},
      {2, 1.1029, 0.9254, 0.9832, 1.0259, 1.063, 1.2669, 0.8395, 1.1464},
      {17, 1.3529, -0.4924, 1.38, -0.3386, 1.6287, -0.2871, 1.4126, -0.1539},
      {18, 1.4397, 0, 1.4126, 0.1539, 1.6286, 0.2872, 1.38, 0.3385},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.i);
    EXPECT_EQ(p.RollerX[r.i], r.roller_x);
    EXPECT_EQ(p.RollerY[r.i], r.roller_y);
    EXPECT_EQ(p.FlankStartX[r.i], r.start_x);
    EXPECT_EQ(p.FlankStartY[r.i], r.start_y);
    EXPECT_EQ(p.TipX[r.i], r.tip_x);
    EXPECT_EQ(p.TipY[r.i], r.tip_y);
    EXPECT_EQ(p.FlankEndX[r.i], r.end_x);
    EXPECT_EQ(p.FlankEndY[r.i], r.end_y);
  }
  EXPECT_EQ(run.outside_diameter_text, "3.30754316676291");
}

TEST(ToothProfile, PolarFormOfToothOne) {
  const FirstTooth t = ConstructFirstTooth(2.87938524157182, 20, 0.15625, 0.34375);
  EXPECT_EQ(t.PitchRadius, 1.4397208653068831);
  EXPECT_EQ(t.TipRadius, 1.6537715833814535);
  EXPECT_TRUE(t.flanks_meet);
}

TEST(ToothProfile, DiametersOfFourToEighteenTeeth) {
  struct Case {
    const char *pitch, *teeth, *roller, *pitch_diameter, *outside_diameter;
  };
  const Case cases[] = {
      {"0.5", "6", "0.3125", "1", "1.3378"},
      {"0.5", "4", "0.3125", "0.707106781186548", "0.971847560062791"},
      {"0.625", "10", "0.4", "2.02254248593737", "2.49956825871989"},
      {"12.7", "18", "7.95", "73.1363851359241", "83.992441461122"},
      {"0.25", "5", "0.13", "0.42532540417602", "0.616978605787916"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.pitch) + " x " + c.teeth);
    const SprocketRun run = MakeSprocket(c.pitch, c.teeth, c.roller);
    EXPECT_EQ(run.pitch_diameter_text, c.pitch_diameter);
    EXPECT_EQ(run.outside_diameter_text, c.outside_diameter);
  }
}

TEST(ToothProfile, SixTeethTieGoesToTheOuterPoint) {
  const ToothProfile p = MakeSprocket("0.5", "6", "0.3125").profile;
  EXPECT_EQ(p.RollerX[1], 0.25);
  EXPECT_EQ(p.RollerY[1], 0.433);
  EXPECT_EQ(p.TipX[1], 0);
  EXPECT_EQ(p.TipY[1], 0.6689);
}

TEST(ToothProfile, RollerTwoIsRecomputedFromThePitchRadius) {
  // Construction uses (-0.172, 0.125) from the pitch diameter; the stored roller 2 comes from
  // turning roller 1 and differs in the fourth decimal.
  const FirstTooth t = ConstructFirstTooth(0.42532540417602, 72, 0.065, 0.185);
  EXPECT_EQ(t.RollerX2, -0.172);
  EXPECT_EQ(t.RollerY2, 0.125);
  const ToothProfile p = MakeSprocket("0.25", "5", "0.13").profile;
  EXPECT_EQ(p.RollerX[1], 0.0657);
  EXPECT_EQ(p.RollerY[1], 0.2023);
  EXPECT_EQ(p.RollerX[2], -0.1721);
  EXPECT_EQ(p.RollerY[2], 0.125);
  EXPECT_EQ(p.TipX[1], -0.0953);
  EXPECT_EQ(p.TipY[1], 0.2934);
}

// The last flank end lies on roller 1's seat, one roller radius from its centre, and every
// flank end lies one flank radius from the roller it turns about: the outline closes.
TEST(ToothProfile, OutlineClosesForManyTeeth) {
  constexpr double kRoundingSlack = 4e-4;  // a few four-decimal roundings
  for (int teeth : {4, 5, 7, 12, 31, 60, 131, 1000}) {
    SCOPED_TRACE(teeth);
    const SprocketRun run = MakeSprocket("0.5", std::to_string(teeth).c_str(), "0.3125");
    const ToothProfile& p = run.profile;
    const size_t n = static_cast<size_t>(teeth);
    for (size_t i = 1; i <= n; ++i) {
      const size_t j = i == n ? 1 : i + 1;
      EXPECT_NEAR(std::hypot(p.FlankEndX[i] - p.RollerX[j], p.FlankEndY[i] - p.RollerY[j]),
                  run.RollerRadius, kRoundingSlack);
      EXPECT_NEAR(std::hypot(p.TipX[i] - p.RollerX[j], p.TipY[i] - p.RollerY[j]), run.FlankRadius,
                  kRoundingSlack);
    }
    EXPECT_EQ(p.RollerY[n], 0);
  }
}

}  // namespace
}  // namespace toothwright
