// The mounting fields as a run checks them, and the holes built from them.
#include <gtest/gtest.h>

#include <cmath>
#include <variant>

#include "sprocket/holes.h"
#include "sprocket/numbers.h"
#include "sprocket/run.h"

namespace toothwright {
namespace {

// ANSI 40, 18 teeth: the seats' innermost circle has radius 1.28344, so the holes must stay
// within 1.23344 of the centre.
FieldTexts Ansi40(const char* bore, const char* width, const char* depth, const char* holes,
                  const char* hole, const char* circle, const char* tool = "") {
  return {.pitch = "0.5",
          .teeth = "18",
          .roller = "0.3125",
          .tool_diameter = tool,
          .bore = bore,
          .keyway_width = width,
          .keyway_depth = depth,
          .bolt_holes = holes,
          .bolt_hole_diameter = hole,
          .bolt_circle = circle};
}

TEST(MountingChecks, FirstFailingMountingFieldIsReported) {
  struct Case {
    const char* name;
    FieldTexts fields;
    const char* message;  // "" when the fields pass
  };
  const Case cases[] = {
      {"acceptance mounting", Ansi40("0.75", "0.1875", "0.09375", "4", "0.25", "1.5"), ""},
      {"bore alone", Ansi40("0.75", "", "", "", "", ""), ""},
      {"bore not a number", Ansi40("3/4", "", "", "", "", ""), kBoreMessage},
      {"bore 0", Ansi40("0", "", "", "", "", ""), kBoreMessage},
      {"bore negative", Ansi40("-0.75", "", "", "", "", ""), kBoreMessage},
      {"bore up to the wall", Ansi40("2.466", "", "", "", "", ""), ""},
      {"bore into the wall", Ansi40("2.468", "", "", "", "", ""), kBoreMessage},
      {"bore as wide as the tool", Ansi40("0.25", "", "", "", "", "", "0.25"), kBoreMessage},
      {"keyway without a bore", Ansi40("", "0.1875", "0.09375", "", "", ""), kKeywayWidthMessage},
      {"keyway depth alone", Ansi40("0.75", "", "0.09375", "", "", ""), kKeywayWidthMessage},
      {"keyway width alone", Ansi40("0.75", "0.1875", "", "", "", ""), kKeywayDepthMessage},
      {"keyway as wide as the bore", Ansi40("0.75", "0.75", "0.1", "", "", ""),
       kKeywayWidthMessage},
      {"keyway narrower than the tool", Ansi40("0.75", "0.1875", "0.1", "", "", "", "0.25"),
       kKeywayWidthMessage},
      {"keyway depth 0", Ansi40("0.75", "0.1875", "0", "", "", ""), kKeywayDepthMessage},
      {"keyway corners up to the wall", Ansi40("2", "0.5", "0.2", "", "", ""), ""},
      {"keyway corners into the wall", Ansi40("2", "0.5", "0.21", "", "", ""), kKeywayDepthMessage},
      {"bolt circle without a count", Ansi40("", "", "", "", "0.25", "1.5"), kBoltHolesMessage},
      {"bolt holes 2.5", Ansi40("", "", "", "2.5", "0.25", "1.5"), kBoltHolesMessage},
      {"bolt holes 0", Ansi40("", "", "", "0", "0.25", "1.5"), kBoltHolesMessage},
      {"bolt holes over the bound", Ansi40("", "", "", "1001", "0.001", "1.5"), kBoltHolesMessage},
      {"bolt hole diameter missing", Ansi40("", "", "", "4", "", "1.5"), kBoltHoleDiameterMessage},
      {"bolt hole no wider than the tool", Ansi40("", "", "", "4", "0.125", "1.5", "0.125"),
       kBoltHoleDiameterMessage},
      {"bolt circle missing", Ansi40("", "", "", "4", "0.25", ""), kBoltCircleMessage},
      {"one hole over the centre", Ansi40("", "", "", "1", "0.5", "0.2"), ""},
      {"holes overlapping each other", Ansi40("", "", "", "4", "0.25", "0.35"), kBoltCircleMessage},
      {"two holes touching", Ansi40("", "", "", "2", "0.25", "0.25"), kBoltCircleMessage},
      {"holes touching the bore", Ansi40("0.75", "", "", "4", "0.25", "1"), kBoltCircleMessage},
      {"hole clear of a shallow keyway", Ansi40("0.75", "0.1875", "0.1", "4", "0.3", "1.6"), ""},
      {"hole in the keyway", Ansi40("0.75", "0.1875", "0.3", "4", "0.3", "1.6"),
       kBoltCircleMessage},
      {"holes into the wall", Ansi40("", "", "", "4", "0.25", "2.3"), kBoltCircleMessage},
      {"bore judged before the holes", Ansi40("9", "", "", "4", "0.25", "9"), kBoreMessage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto message = CheckFields(c.fields);
    EXPECT_EQ(message ? message->text : "", c.message);
    // The run refuses exactly what the check refuses.
    EXPECT_EQ(std::holds_alternative<ValidationMessage>(RunSprocket(c.fields)),
              message.has_value());
  }
}

// Distance from p to the centre c.
double From(Point c, Point p) {
  return std::hypot(p.x - c.x, p.y - c.y);
}

// Every hole is closed, clockwise and of the role Hole, and each arc end lies on its circle
// within the four-decimal rounding of its points.
void ExpectHolesWellFormed(const std::vector<Path>& holes) {
  constexpr double kRounding = 1e-4;  // two coordinates each off by at most 5e-5
  for (const Path& hole : holes) {
    ASSERT_FALSE(hole.segments.empty());
    EXPECT_EQ(hole.segments.back().end, hole.segments.front().start);
    for (size_t k = 0; k < hole.segments.size(); ++k) {
      const Segment& s = hole.segments[k];
      if (k > 0) {
        EXPECT_EQ(s.start, hole.segments[k - 1].end);
      }
      EXPECT_EQ(s.role, SegmentRole::Hole);
      EXPECT_EQ(s.tooth, 0);
      EXPECT_NE(s.kind, SegmentKind::CounterClockwiseArc);
      if (IsArc(s)) {
        EXPECT_NEAR(From(s.centre, s.start), s.radius, kRounding);
        EXPECT_NEAR(From(s.centre, s.end), s.radius, kRounding);
      }
    }
  }
}

TEST(Holes, BoltHolesAreHalfCirclesEvenlySpacedFromPlusX) {
  for (int count = 1; count <= 12; ++count) {
    for (double circle : {0.3, 1.5, 41.25}) {
      SCOPED_TRACE(testing::Message() << count << " holes on " << circle);
      const BoltCircle bolts{.count = count, .hole_diameter = 0.1, .diameter = circle};
      const std::vector<Path> holes = BuildHoles({.bolt_circle = bolts});
      ASSERT_EQ(holes.size(), static_cast<size_t>(count));
      ExpectHolesWellFormed(holes);
      EXPECT_EQ(holes[0].segments[0].centre, (Point{Round4(circle / 2), 0}));
      for (int k = 0; k < count; ++k) {
        const Path& hole = holes[static_cast<size_t>(k)];
        ASSERT_EQ(hole.segments.size(), 2u);
        const Point c = hole.segments[0].centre;
        const double angle = 2 * std::acos(-1.0) * k / count;
        EXPECT_NEAR(c.x, circle / 2 * std::cos(angle), 5e-5);
        EXPECT_NEAR(c.y, circle / 2 * std::sin(angle), 5e-5);
        // The entry is the hole's point nearest the part's centre, rounded from a rounded
        // centre: each coordinate off by up to 1e-4.
        EXPECT_NEAR(From(Point{}, hole.segments[0].start), circle / 2 - 0.05, 1.5e-4);
      }
    }
  }
}

TEST(Holes, BoreWithKeywayIsOneContourFromItsLowestPoint) {
  const std::vector<Path> holes =
      BuildHoles({.bore = 0.75, .keyway = Keyway{.width = 0.1875, .depth = 0.09375}});
  ASSERT_EQ(holes.size(), 1u);
  ExpectHolesWellFormed(holes);
  const auto& s = holes[0].segments;
  ASSERT_EQ(s.size(), 5u);
  EXPECT_EQ(s[0].start, (Point{0, -0.375}));
  EXPECT_EQ(s[0].centre, Point{});
  EXPECT_EQ(s[0].radius, 0.375);
  EXPECT_EQ(s[1].kind, SegmentKind::Line);
  EXPECT_EQ(s[2].kind, SegmentKind::Line);
  EXPECT_EQ(s[3].kind, SegmentKind::Line);
  EXPECT_EQ(s[2].start, (Point{-0.0938, 0.4688}));  // far side at 0.375 + 0.09375
  EXPECT_EQ(s[2].end, (Point{0.0938, 0.4688}));
  // The plain bore: two half circles through its lowest and highest points.
  const std::vector<Path> plain = BuildHoles({.bore = 0.75});
  ASSERT_EQ(plain.size(), 1u);
  ExpectHolesWellFormed(plain);
  EXPECT_EQ(plain[0].segments[0].end, (Point{0, 0.375}));
}

TEST(Holes, CuttingOrderIsBoltHolesThenBore) {
  const auto run =
      std::get<SprocketRun>(RunSprocket(Ansi40("0.75", "0.1875", "0.09375", "4", "0.25", "1.5")));
  ASSERT_EQ(run.holes.size(), 5u);
  EXPECT_EQ(run.holes[0].segments[0].centre, (Point{0.75, 0}));
  EXPECT_EQ(run.holes[1].segments[0].centre, (Point{0, 0.75}));
  EXPECT_EQ(run.holes[4].segments.size(), 5u);
  EXPECT_TRUE(std::get<SprocketRun>(RunSprocket(Ansi40("", "", "", "", "", ""))).holes.empty());
}

}  // namespace
}  // namespace toothwright
