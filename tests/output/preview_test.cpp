// The preview's canvas calls: ANSI 40, 18 teeth as single-precision values, the call counts,
// the mapping on boxes of other shapes, the seat arcs facing the centre, and a zero diameter.
#include "output/preview.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "numbers/numbers.h"
#include "output/recording_canvas.h"
#include "output_test_support.h"

namespace toothwright {
namespace {

using Kind = PreviewCall::Kind;

std::vector<PreviewCall> Calls(const SprocketRun& s, float width = kPictureOuterSize,
                               float height = kPictureOuterSize) {
  RecordingCanvas canvas(width, height);
  DrawPreview(s.outline, s.holes, false, s.outside_diameter, canvas);
  return canvas.calls();
}

// How far apart two angles are, across angle 0 where that is shorter.
float AngleGap(float a, float b) {
  return static_cast<float>(std::fabs(std::remainder(double{a} - b, 2 * std::numbers::pi)));
}

void ExpectArc(const PreviewCall& call, float x, float y, float radius, float start, float end) {
  EXPECT_EQ(call.kind, Kind::DrawArc);
  EXPECT_FLOAT_EQ(call.x, x);
  EXPECT_FLOAT_EQ(call.y, y);
  EXPECT_FLOAT_EQ(call.radius, radius);
  EXPECT_EQ(call.colour, 255u);
  EXPECT_FLOAT_EQ(call.start, start);
  EXPECT_FLOAT_EQ(call.end, end);
}

TEST(Preview, Ansi40EighteenTeethCalls) {
  const std::vector<PreviewCall> calls = Calls(MakeSprocket("0.5", "18", "0.3125"));
  ASSERT_EQ(calls.size(), 56u);  // Clear and 55 outline calls
  EXPECT_EQ(calls[0], PreviewCall{.kind = Kind::Clear});
  // The radii as the doubles the stage works out, each rounded once to single precision.
  const float flank_radius = static_cast<float>(354.93482440356235);
  const float seat_radius = static_cast<float>(161.32229920802934);
  EXPECT_EQ(calls[1], (PreviewCall{.kind = Kind::DrawCircle,
                                   .x = 1897.5f,
                                   .y = 1897.5f,
                                   .radius = seat_radius,
                                   .colour = 255}));
  EXPECT_EQ(calls[2].radius, flank_radius);
  {
    SCOPED_TRACE("tooth 1");
    ExpectArc(calls[2], 3036.3982f, 941.8953f, 354.9348f, 5.236045f, 5.992537f);
    ExpectArc(calls[3], 3294.5581f, 1389.0283f, 354.9348f, 1.338023f, 2.094453f);
    ExpectArc(calls[4], 3036.3982f, 941.8953f, 161.3223f, 2.443168f, 5.235902f);
  }
  {
    SCOPED_TRACE("closing tooth 18: about roller 1, roller 18 and roller 1");
    const PreviewCall* closing = &calls[53];
    EXPECT_FLOAT_EQ(closing[0].x, 3294.5581f);
    EXPECT_FLOAT_EQ(closing[0].y, 1389.0283f);
    EXPECT_EQ(closing[0].radius, flank_radius);
    EXPECT_FLOAT_EQ(closing[1].x, 3384.1912f);
    EXPECT_EQ(closing[1].y, 1897.5f);  // roller 18 lies on the +X axis
    EXPECT_EQ(closing[2].x, closing[0].x);
    EXPECT_EQ(closing[2].y, closing[0].y);
    EXPECT_EQ(closing[2].radius, seat_radius);
  }
}

TEST(Preview, OneCircleAndThreeArcsPerTooth) {
  struct Case {
    const char *name, *pitch, *teeth, *roller;
  };
  const Case cases[] = {
      {"4 teeth", "0.5", "4", "0.3125"},
      {"6 teeth", "0.5", "6", "0.3125"},
      {"97 teeth, metric", "15.875", "97", "10.16"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SprocketRun s = MakeSprocket(c.pitch, c.teeth, c.roller);
    const std::vector<PreviewCall> calls = Calls(s);
    ASSERT_EQ(calls.size(), 2 + 3 * static_cast<size_t>(s.N));
    EXPECT_EQ(calls[0].kind, Kind::Clear);
    EXPECT_EQ(calls[1].kind, Kind::DrawCircle);
    for (size_t k = 2; k < calls.size(); ++k) {
      EXPECT_EQ(calls[k].kind, Kind::DrawArc);
      EXPECT_EQ(calls[k].colour, kPreviewRed);
      EXPECT_GE(calls[k].start, 0.0f);
      EXPECT_LT(calls[k].start, 6.2831855f);
      EXPECT_GE(calls[k].end, 0.0f);
      EXPECT_LT(calls[k].end, 6.2831855f);
    }
  }
}

// The scale comes from the smaller outer side; the sprocket centre sits at the middle of the
// outer box, y counted from its bottom.
TEST(Preview, BoxesOfOtherShapes) {
  const SprocketRun s = MakeSprocket("0.5", "18", "0.3125");
  const float square_radius = Calls(s)[1].radius;
  struct Case {
    const char* name;
    float width, height;
    float centre_x, centre_y;
    double side;  // the side the scale is taken from
  };
  const Case cases[] = {
      {"square", 3795, 3795, 1897.5f, 1897.5f, 3795},
      {"wider than high", 6000, 3000, 3000, 1500, 3000},
      {"higher than wide", 3000, 6000, 1500, 3000, 3000},
      {"odd sizes", 1001, 2001, 500.5f, 1000.5f, 1001},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<PreviewCall> calls = Calls(s, c.width, c.height);
    EXPECT_EQ(calls[1].x, c.centre_x);
    EXPECT_EQ(calls[1].y, c.centre_y);
    EXPECT_FLOAT_EQ(calls[1].radius, static_cast<float>(square_radius * c.side / 3795));
  }
}

// A seat arc runs counter-clockwise on the screen from flank start j to flank end i, round
// the side of the roller that faces the sprocket centre: its middle points at the centre.
TEST(Preview, SeatArcsFaceTheCentre) {
  const SprocketRun s = MakeSprocket("0.375", "23", "0.2");
  const std::vector<PreviewCall> calls = Calls(s);
  const PreviewCall& circle = calls[1];
  for (size_t k = 4; k < calls.size(); k += 3) {
    SCOPED_TRACE(k);
    const PreviewCall& seat = calls[k];
    double sweep = static_cast<double>(seat.end) - seat.start;
    if (sweep < 0) sweep += 2 * std::numbers::pi;
    EXPECT_LT(sweep, std::numbers::pi);
    const double middle = seat.start + sweep / 2;
    // Angle a is the screen direction (cos a, -sin a).
    const double towards_x = circle.x - seat.x;
    const double towards_y = circle.y - seat.y;
    EXPECT_GT(std::cos(middle) * towards_x - std::sin(middle) * towards_y, 0.0);
  }
}

TEST(Preview, ZeroDiameterOnlyClears) {
  const SprocketRun s = MakeSprocket("0.5", "18", "0.3125");
  RecordingCanvas canvas;
  DrawPreview(s.outline, {}, false, 0, canvas);
  EXPECT_EQ(canvas.calls(), std::vector<PreviewCall>{PreviewCall{.kind = Kind::Clear}});
}

// The picture is the same whichever unit the sprocket is given in.
TEST(Preview, SameSprocketInBothUnits) {
  const std::vector<PreviewCall> inches = Calls(MakeSprocket("0.5", "18", "0.3125"));
  const std::vector<PreviewCall> millimetres = Calls(MakeSprocket("12.7", "18", "7.9375"));
  ASSERT_EQ(inches.size(), millimetres.size());
  // Both profiles are rounded to four decimals: a point moves by up to 0.7e-4 inch, which is
  // 0.07 twips at this scale and up to 4.5e-4 radians seen from a 0.156-inch seat's centre.
  constexpr float kTwipSlack = 0.15f;
  constexpr float kAngleSlack = 1e-3f;
  for (size_t k = 1; k < inches.size(); ++k) {
    SCOPED_TRACE(k);
    EXPECT_NEAR(inches[k].x, millimetres[k].x, kTwipSlack);
    EXPECT_NEAR(inches[k].y, millimetres[k].y, kTwipSlack);
    EXPECT_NEAR(inches[k].radius, millimetres[k].radius, kTwipSlack);
    EXPECT_LT(AngleGap(inches[k].start, millimetres[k].start), kAngleSlack);
    EXPECT_LT(AngleGap(inches[k].end, millimetres[k].end), kAngleSlack);
  }
}

}  // namespace
}  // namespace toothwright
