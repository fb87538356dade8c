// Properties of the three outputs over many sprockets (every standard chain in both units,
// tooth counts from 4 to 130): each arc's ends lie at its radius from its centre, consecutive
// arcs join, and the outline closes on its start.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "numbers/numbers.h"
#include "output/dxf.h"
#include "output/gcode.h"
#include "output/preview.h"
#include "output/recording_canvas.h"
#include "output_test_support.h"
#include "sprocket/chain_sizes.h"

namespace toothwright {
namespace {

// Each stored point is rounded to four decimals (up to 0.71e-4 off in distance), and the teeth
// are turned from tooth 1's rounded points: an arc's ends, its centre and the joins between
// arcs may each be off by a few such roundings.
constexpr double kRoundingSlack = 4e-4;
// The preview hands over single-precision values: a few ulps of 4000 twips.
constexpr double kFloatSlack = 2e-3;

const int kToothCounts[] = {4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 15, 17,  18,  19,
                            21, 23, 25, 30, 36, 45, 53, 60, 72, 89, 97, 112, 120, 130};

struct Point {
  double x = 0, y = 0;
};

double Distance(Point a, Point b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

// An arc as the outline passes it: from start to end.
struct PathArc {
  Point start, end;
};

// Consecutive arcs join and the last ends where the first starts.
void ExpectJoinedAndClosed(const std::vector<PathArc>& path, double slack) {
  ASSERT_FALSE(path.empty());
  for (size_t k = 0; k < path.size(); ++k) {
    const PathArc& next = path[(k + 1) % path.size()];
    EXPECT_LE(Distance(path[k].end, next.start), slack) << "after arc " << k;
  }
}

struct Sprocket {
  std::string name;
  FieldTexts fields;
  SprocketRun run;
};

std::vector<Sprocket> ManySprockets() {
  std::vector<Sprocket> sprockets;
  for (const char* units : {"English", "Metric"}) {
    for (const ChainSize& chain : ChainSizeTable) {
      const LengthTexts lengths = SetChainSize(chain.pitch, chain.roller, UnitOf(units));
      for (int teeth : kToothCounts) {
        Sprocket s;
        s.name = std::string(chain.name) + ", " + units + ", " + std::to_string(teeth) + " teeth";
        s.fields = {.pitch = lengths.pitch,
                    .teeth = std::to_string(teeth),
                    .roller = lengths.roller,
                    .units = units,
                    .depth = "0.1",
                    .feed = "8"};
        s.run = MakeSprocket(s.fields.pitch, s.fields.teeth, s.fields.roller);
        sprockets.push_back(std::move(s));
      }
    }
  }
  return sprockets;
}

const std::vector<Sprocket>& Sprockets() {
  static const std::vector<Sprocket> sprockets = ManySprockets();
  return sprockets;
}

// The value after letter in a G-code line ("X1.25" gives 1.25).
double Word(const std::string& line, char letter) {
  const size_t at = line.find(std::string(" ") + letter);
  EXPECT_NE(at, std::string::npos) << letter << " in " << line;
  const size_t end = line.find(' ', at + 2);
  return ParseReal(std::string_view(line).substr(at + 2, end - at - 2)).value_or(NAN);
}

// The X and Y words of a line as written.
std::string EndpointText(const std::string& line) {
  const size_t x = line.find(" X");
  return line.substr(x, line.find(" I") - x);
}

TEST(OutlineProperties, GCodeArcsAreRoundTheirCentresAndClose) {
  for (const Sprocket& s : Sprockets()) {
    SCOPED_TRACE(s.name);
    const SprocketRun& r = s.run;
    const std::vector<std::string> lines = SplitCrLf(WriteGCode(JobOf(s.fields)));
    ASSERT_EQ(lines.size(), 3 * static_cast<size_t>(r.N) + 4);
    EXPECT_EQ(lines[0], s.fields.units == "English" ? "G20" : "G21");
    ASSERT_TRUE(lines[1].starts_with("G0 X"));
    Point at{Word(lines[1], 'X'), Word(lines[1], 'Y')};
    std::vector<PathArc> path;
    for (size_t k = 3; k + 1 < lines.size(); ++k) {
      const std::string& line = lines[k];
      SCOPED_TRACE(line);
      const bool clockwise = line.starts_with("G2 X");
      ASSERT_TRUE(clockwise || line.starts_with("G3 X"));
      const Point end{Word(line, 'X'), Word(line, 'Y')};
      const Point centre{at.x + Word(line, 'I'), at.y + Word(line, 'J')};
      const double radius = clockwise ? r.RollerRadius : r.FlankRadius;
      EXPECT_NEAR(Distance(at, centre), radius, kRoundingSlack);
      EXPECT_NEAR(Distance(end, centre), radius, kRoundingSlack);
      // Each arc turns less than half a turn, in its own direction.
      const double turn =
          (at.x - centre.x) * (end.y - centre.y) - (at.y - centre.y) * (end.x - centre.x);
      EXPECT_TRUE(clockwise ? turn < 0 : turn > 0);
      path.push_back({at, end});
      at = end;
    }
    EXPECT_EQ(EndpointText(lines[lines.size() - 2]), lines[1].substr(2));
    ExpectJoinedAndClosed(path, 0);
  }
}

struct DxfArc {
  Point centre;
  double radius = 0, start = 0, end = 0;  // degrees
};

std::vector<DxfArc> ReadArcs(const std::string& text) {
  const std::vector<std::string> lines = SplitCrLf(text);
  std::vector<DxfArc> arcs;
  for (size_t at = 4; at + 14 <= lines.size(); at += 14) {
    if (lines[at + 1] != "ARC") break;
    auto value = [&](size_t k) { return ParseReal(lines[at + k]).value_or(NAN); };
    arcs.push_back({{value(5), value(7)}, value(9), value(11), value(13)});
  }
  return arcs;
}

Point OnArc(Point centre, double radius, double radians, double y_sign) {
  return {centre.x + radius * std::cos(radians), centre.y + y_sign * radius * std::sin(radians)};
}

TEST(OutlineProperties, DxfArcsJoinIntoOneClosedLoop) {
  constexpr double kRadiansPerDegree = std::numbers::pi / 180;
  for (const Sprocket& s : Sprockets()) {
    SCOPED_TRACE(s.name);
    const SprocketRun& r = s.run;
    const std::vector<DxfArc> arcs = ReadArcs(WriteDxf(r.outline));
    ASSERT_EQ(arcs.size(), 3 * static_cast<size_t>(r.N));
    std::vector<PathArc> path;
    for (size_t k = 0; k < arcs.size(); ++k) {
      const DxfArc& a = arcs[k];
      const bool seat = k % 3 == 2;
      // The radius as given, to the 15 digits of its text.
      EXPECT_EQ(a.radius, ParseReal(FormatReal(seat ? r.RollerRadius : r.FlankRadius)));
      for (double angle : {a.start, a.end}) {
        EXPECT_GE(angle, 0);
        EXPECT_LT(angle, 360);
      }
      // Counter-clockwise from start to end, less than half a turn.
      EXPECT_LT(std::fmod(a.end - a.start + 360, 360), 180) << "arc " << k;
      const Point from = OnArc(a.centre, a.radius, a.start * kRadiansPerDegree, 1);
      const Point to = OnArc(a.centre, a.radius, a.end * kRadiansPerDegree, 1);
      // The outline passes a seat against the drawing direction of its arc.
      path.push_back(seat ? PathArc{to, from} : PathArc{from, to});
    }
    ExpectJoinedAndClosed(path, kRoundingSlack);
  }
}

TEST(OutlineProperties, PreviewArcsJoinIntoOneClosedLoop) {
  for (const Sprocket& s : Sprockets()) {
    SCOPED_TRACE(s.name);
    const SprocketRun& r = s.run;
    const double D = r.outside_diameter;
    RecordingCanvas canvas;
    DrawPreview(r.outline, {}, false, D, canvas);
    const std::vector<PreviewCall>& calls = canvas.calls();
    ASSERT_EQ(calls.size(), 2 + 3 * static_cast<size_t>(r.N));
    const double scale = kPictureOuterSize * 0.9 / D;  // twips per length unit
    std::vector<PathArc> path;
    for (size_t k = 2; k < calls.size(); ++k) {
      const PreviewCall& c = calls[k];
      const bool seat = k % 3 == 1;
      // On the screen y grows downwards.
      const Point from = OnArc({c.x, c.y}, c.radius, c.start, -1);
      const Point to = OnArc({c.x, c.y}, c.radius, c.end, -1);
      path.push_back(seat ? PathArc{to, from} : PathArc{from, to});
    }
    ExpectJoinedAndClosed(path, kRoundingSlack * scale + kFloatSlack);
  }
}

}  // namespace
}  // namespace toothwright
