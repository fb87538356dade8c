// The mounting fields as a run checks them, and the holes built from them.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <variant>

#include "sprocket/holes.h"
#include "support/sprockets.h"

namespace toothwright {
namespace {

// ANSI 40, 18 teeth, with the mounting fields and the tool diameter in field order. The seats'
// innermost circle has radius 1.28344, so the holes must stay within 1.23344 of the centre.
FieldTexts Ansi40(const std::array<const char*, 7>& m) {
  return {.pitch = "0.5",
          .teeth = "18",
          .roller = "0.3125",
          .tool_diameter = m[6],
          .bore = m[0],
          .keyway_width = m[1],
          .keyway_depth = m[2],
          .bolt_holes = m[3],
          .bolt_hole_diameter = m[4],
          .bolt_circle = m[5]};
}

TEST(MountingChecks, FirstFailingMountingFieldIsReported) {
  struct Case {
    const char* name;
    std::array<const char*, 7> fields;  // bore, keyway width and depth, bolts, tool
    const char* message;                // "" when the fields pass
  };
  const Case cases[] = {
      {"acceptance", {"0.75", "0.1875", "0.09375", "4", "0.25", "1.5", ""}, ""},
      {"bore not a number", {"3/4", "", "", "", "", "", ""}, kBoreMessage},
      {"bore up to the wall", {"2.466", "", "", "", "", "", ""}, ""},
      {"bore into the wall", {"2.468", "", "", "", "", "", ""}, kBoreMessage},
      {"bore too small to write", {"0.0001", "", "", "", "", "", ""}, kBoreMessage},
      {"bolt holes too small to write",
       {"", "", "", "3", "0.0001", "1", ""},
       kBoltHoleDiameterMessage},
      {"keyway without a bore", {"", "0.1875", "0.1", "", "", "", ""}, kKeywayWidthMessage},
      {"keyway depth alone", {"0.75", "", "0.1", "", "", "", ""}, kKeywayWidthMessage},
      {"keyway width alone", {"0.75", "0.1875", "", "", "", "", ""}, kKeywayDepthMessage},
      {"keyway as wide as the bore", {"0.75", "0.75", "0.1", "", "", "", ""}, kKeywayWidthMessage},
      // A tool too wide for an opening is refused on the tool, which is judged first.
      {"keyway under the tool",
       {"0.75", "0.1875", "0.1", "", "", "", "0.25"},
       kToolDiameterMessage},
      {"keyway corners into the wall", {"2", "0.5", "0.21", "", "", "", ""}, kKeywayDepthMessage},
      // The cutter's radius (0.1) must fit along the sides from the 0.75 bore's edge.
      {"keyway sides 0.1015 long", {"0.75", "0.25", "0.08", "", "", "", "0.2"}, ""},
      {"keyway sides 0.0914 long",
       {"0.75", "0.25", "0.07", "", "", "", "0.2"},
       kToolDiameterMessage},
      {"bolt circle without a count", {"", "", "", "", "0.25", "1.5", ""}, kBoltHolesMessage},
      {"bolt holes over the bound", {"", "", "", "1001", "0.001", "1.5", ""}, kBoltHolesMessage},
      {"bolt hole diameter missing", {"", "", "", "4", "", "1.5", ""}, kBoltHoleDiameterMessage},
      {"bolt hole as wide as the tool",
       {"", "", "", "4", "0.1", "1.5", "0.1"},
       kToolDiameterMessage},
      {"bolt circle judged after the tool",
       {"", "", "", "4", "0.25", "0.35", "0.3124"},
       kToolDiameterMessage},
      {"holes overlapping", {"", "", "", "4", "0.25", "0.35", ""}, kBoltCircleMessage},
      {"two holes touching", {"", "", "", "2", "0.25", "0.25", ""}, kBoltCircleMessage},
      {"holes touching the bore", {"0.75", "", "", "4", "0.25", "1", ""}, kBoltCircleMessage},
      {"hole clear of the keyway", {"0.75", "0.1875", "0.1", "4", "0.3", "1.6", ""}, ""},
      {"hole in the keyway", {"0.75", "0.1875", "0.3", "4", "0.3", "1.6", ""}, kBoltCircleMessage},
      {"bore judged before holes", {"9", "", "", "4", "0.25", "9", ""}, kBoreMessage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto message = CheckFields(Ansi40(c.fields));
    EXPECT_EQ(message ? message->message : "", c.message);
  }
}

double From(Point c, Point p) {
  return std::hypot(p.x - c.x, p.y - c.y);
}

// Every hole over many mountings is closed, clockwise, of the role Hole, with its arc ends on
// its circle within the rounding of the points; bolt holes come first, from +X on, entered at
// their point nearest the centre, and the bore last, entered at its lowest point.
TEST(Holes, ClosedClockwiseInCuttingOrder) {
  constexpr double kRounding = 1.5e-4;  // a point rounded from a rounded centre
  for (int count = 1; count <= 12; ++count) {
    for (const bool keyway : {false, true}) {
      SCOPED_TRACE(testing::Message() << count << " holes, keyway " << keyway);
      Mounting m{.bore = 0.75, .bolt_circle = BoltCircle{count, 0.1, 1.5 + count}};
      if (keyway) m.keyway = Keyway{.width = 0.1875, .depth = 0.09375};
      const std::vector<Path> holes = BuildHoles(m);
      ASSERT_EQ(holes.size(), static_cast<size_t>(count) + 1);
      for (const Path& hole : holes) {
        Point at = hole.segments.back().end;
        for (const Segment& s : hole.segments) {
          EXPECT_EQ(s.start, at);
          at = s.end;
          EXPECT_EQ(s.role, SegmentRole::Hole);
          EXPECT_NE(s.kind, SegmentKind::CounterClockwiseArc);
          if (IsArc(s)) {
            EXPECT_NEAR(From(s.centre, s.start), s.radius, kRounding);
          }
        }
      }
      EXPECT_EQ(holes[0].segments[0].centre.y, 0);
      EXPECT_NEAR(From({}, holes[1 % count].segments[0].start), (1.5 + count) / 2 - 0.05,
                  kRounding);
      const Path& bore = holes.back();
      EXPECT_EQ(bore.segments[0].start, (Point{0, -0.375}));
      EXPECT_EQ(bore.segments.size(), keyway ? 5u : 2u);
    }
  }
}

}  // namespace
}  // namespace toothwright
