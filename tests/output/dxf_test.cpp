// The DXF drawing: its frame, the first arcs of ANSI 40, 18 teeth, the line counts, the closing
// seat and the directions written along the axes.
#include "output/dxf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "numbers/numbers.h"
#include "output_test_support.h"
#include "sprocket/outline.h"

namespace toothwright {
namespace {

constexpr size_t kHeaderLines = 4;
constexpr size_t kLinesPerArc = 14;
// The expected angles of ANSI 40, 18 teeth are written to six decimals.
constexpr double kSixDecimals = 5e-7;

struct Arc {
  std::string x, y, radius, start, end;
};

// The ARC entities of a drawing, checking the group codes and the fixed values on the way.
std::vector<Arc> Arcs(const std::vector<std::string>& lines) {
  std::vector<Arc> arcs;
  for (size_t at = kHeaderLines; at + kLinesPerArc <= lines.size() - 4; at += kLinesPerArc) {
    const std::vector<std::string> fixed(lines.begin() + at, lines.begin() + at + 4);
    EXPECT_EQ(fixed, (std::vector<std::string>{"0", "ARC", "8", "0"}));
    const std::vector<std::string> codes = {lines[at + 4], lines[at + 6], lines[at + 8],
                                            lines[at + 10], lines[at + 12]};
    EXPECT_EQ(codes, (std::vector<std::string>{"10", "20", "40", "50", "51"}));
    arcs.push_back({lines[at + 5], lines[at + 7], lines[at + 9], lines[at + 11], lines[at + 13]});
  }
  return arcs;
}

std::vector<std::string> Drawing(const SprocketRun& s) {
  return SplitCrLf(WriteDxf(s.outline));
}

double Number(const std::string& text) {
  return ParseReal(text).value_or(-1);
}

// Direction from (cx, cy) to (x, y) in degrees [0, 360), worked out independently.
double DegreesFrom(double cx, double cy, double x, double y) {
  const double degrees = std::atan2(y - cy, x - cx) * 180 / std::numbers::pi;
  return degrees < 0 ? degrees + 360 : degrees;
}

TEST(Dxf, FrameAndLineCounts) {
  struct Case {
    const char *name, *pitch, *teeth, *roller;
    size_t lines;
  };
  const Case cases[] = {
      {"4 teeth", "0.5", "4", "0.3125", 176},
      {"10 teeth", "0.625", "10", "0.4", 428},
      {"18 teeth", "0.5", "18", "0.3125", 764},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SprocketRun s = MakeSprocket(c.pitch, c.teeth, c.roller);
    const std::string text = WriteDxf(s.outline);
    EXPECT_TRUE(text.starts_with("0\r\nSECTION\r\n2\r\nENTITIES\r\n"));
    EXPECT_TRUE(text.ends_with("\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n"));
    const std::vector<std::string> lines = SplitCrLf(text);
    EXPECT_EQ(lines.size(), c.lines);
    EXPECT_EQ(Arcs(lines).size(), 3u * static_cast<size_t>(s.N));
  }
}

TEST(Dxf, Ansi40EighteenTeethFirstArcs) {
  const SprocketRun s = MakeSprocket("0.5", "18", "0.3125");
  const std::vector<Arc> arcs = Arcs(Drawing(s));
  ASSERT_EQ(arcs.size(), 54u);
  struct Expected {
    const char *name, *x, *y, *radius;
    double start, end;
  };
  const Expected expected[] = {
      {"first flank of tooth 1", "1.1029", "0.9254", "0.34375", 300.003295, 343.347059},
      {"second flank of tooth 1", "1.3529", "0.4924", "0.34375", 76.663092, 120.003295},
      {"seat of roller 2", "1.1029", "0.9254", "0.15625", 139.983214, 299.995080},
  };
  for (size_t k = 0; k < 3; ++k) {
    const Expected& e = expected[k];
    SCOPED_TRACE(e.name);
    EXPECT_EQ(arcs[k].x, e.x);
    EXPECT_EQ(arcs[k].y, e.y);
    EXPECT_EQ(arcs[k].radius, e.radius);
    EXPECT_NEAR(Number(arcs[k].start), e.start, kSixDecimals);
    EXPECT_NEAR(Number(arcs[k].end), e.end, kSixDecimals);
  }
  // Every flank and every seat carries the radius exactly as given.
  for (size_t k = 0; k < arcs.size(); ++k) {
    EXPECT_EQ(arcs[k].radius, k % 3 == 2 ? "0.15625" : "0.34375") << "arc " << k;
  }
}

// The drawing closes on roller 1: the last arc is its seat, from the direction of flank start 1
// to that of flank end N.
TEST(Dxf, LastArcIsTheSeatOfRollerOne) {
  const SprocketRun s = MakeSprocket("12.7", "18", "7.95");
  const std::vector<Arc> arcs = Arcs(Drawing(s));
  ASSERT_EQ(arcs.size(), 54u);
  const Arc& seat = arcs.back();
  const ToothProfile& p = s.profile;
  EXPECT_EQ(seat.x, FormatReal(p.RollerX[1]));
  EXPECT_EQ(seat.y, FormatReal(p.RollerY[1]));
  EXPECT_EQ(seat.radius, "3.975");
  EXPECT_NEAR(Number(seat.start),
              DegreesFrom(p.RollerX[1], p.RollerY[1], p.FlankStartX[1], p.FlankStartY[1]),
              kSixDecimals);
  EXPECT_NEAR(Number(seat.end),
              DegreesFrom(p.RollerX[1], p.RollerY[1], p.FlankEndX[18], p.FlankEndY[18]),
              kSixDecimals);
  const Arc& closing_flank = arcs[arcs.size() - 3];
  EXPECT_EQ(closing_flank.x, seat.x);  // the closing tooth's first flank turns about roller 1
  EXPECT_EQ(closing_flank.y, seat.y);
}

// Directions along the axes: exactly 0 and 180 for the x axis; a zero x difference comes out
// just off the y axis, since the arctangent stands 1e-9 in for a zero x.
TEST(Dxf, DirectionsAlongTheAxes) {
  // Two teeth drawn on hand-placed points: roller 1 at the origin, roller 2 at (5, 0).
  ToothProfile p;
  for (auto* array : {&p.RollerX, &p.RollerY, &p.FlankStartX, &p.FlankStartY, &p.TipX, &p.TipY,
                      &p.FlankEndX, &p.FlankEndY}) {
    array->assign(3, 0.0);
  }
  p.RollerX[2] = 5;
  p.FlankStartX[1] = 1;  // seen from roller 2: along -X; from roller 1: along +X
  p.TipX[1] = 5;         // seen from roller 2: straight up
  p.TipY[1] = 1;
  p.FlankEndY[1] = -1;  // seen from roller 1: straight down
  const std::vector<Arc> arcs =
      Arcs(SplitCrLf(WriteDxf(BuildOutline(p, 2, 2, {.flank = 1, .seat = 0.5}))));
  ASSERT_EQ(arcs.size(), 6u);
  struct Case {
    const char* name;
    std::string actual, expected;
  };
  const Case cases[] = {
      {"along -X", arcs[0].start, "180"},
      {"straight up", arcs[0].end, "89.9999999427042"},
      {"straight down", arcs[1].end, "270.000000057295"},
      {"along +X", arcs[5].start, "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.actual, c.expected);
  }
}

}  // namespace
}  // namespace toothwright
