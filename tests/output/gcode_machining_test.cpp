// The program with machining options: its framing (safe height, spindle, program end, one
// block per contour), the passes, the tabs as the cutter moves over them, and the words a
// controller without cutter compensation must know.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "numbers/numbers.h"
#include "output/gcode.h"
#include "output_test_support.h"

namespace toothwright {
namespace {

// Tab ends are rounded to four decimals, and arc lengths measured on the written points.
constexpr double kTabLengthSlack = 1e-3;
// An arc's written ends may lie this much off its radius: both ends hold four decimals, and
// the outline's teeth are turned copies of tooth 1's rounded points.
constexpr double kRadiusSlack = 4e-4;

// The field texts of a 0.5 by 0.3125 chain's 18-tooth sprocket cut with the options m at feed
// 10, with a bore of `bore` (a hole of two clockwise halves from +X) when given.
FieldTexts FieldsOf(const MachiningOptions& m, bool offset = false, const char* bore = "") {
  return WithMachining({.pitch = "0.5",
                        .teeth = "18",
                        .roller = "0.3125",
                        .feed = "10",
                        .offset = offset,
                        .bore = bore},
                       m);
}

std::vector<std::string> Program(const MachiningOptions& m, bool offset = false) {
  return SplitCrLf(WriteGCode(JobOf(FieldsOf(m, offset))));
}

double Word(const std::string& line, char letter) {
  const size_t at = line.find(std::string(" ") + letter);
  return at == std::string::npos ? NAN : std::stod(line.substr(at + 2));
}

std::vector<std::string> Head(const std::vector<std::string>& lines, size_t n) {
  return {lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(n)};
}

std::vector<std::string> Tail(const std::vector<std::string>& lines, size_t n) {
  return {lines.end() - static_cast<std::ptrdiff_t>(n), lines.end()};
}

TEST(GCodeMachining, ProgramFraming) {
  struct Case {
    const char* name;
    std::optional<double> safe_z;
    const char* spindle;
    bool program_end, offset;
    std::vector<std::string> head, tail;
  };
  const Case cases[] = {
      {"safe Z, spindle and end",
       0.2,
       "1200",
       true,
       false,
       {"G20", "G0 Z0.2", "G0 X1.2748  Y0.6277", "M3 S1200", "G1 Z-0.125 F10"},
       {"G0 Z0.2", "M5", "M2"}},
      {"end after the compensation's cancel",
       std::nullopt,
       "",
       true,
       true,
       {"G20", "G0 Z2.00", "G0 X1.0042  Y0.4714", "G42", "G0 X1.2748  Y0.6277"},
       {"G0 Z2.00", "G0 X1.5454  Y0.7839", "G40", "M2"}},
      {"spindle as typed",
       std::nullopt,
       " 1200.0",
       false,
       false,
       {"G20", "G0 X1.2748  Y0.6277", "M3 S 1200.0"},
       {"G0 Z2.00", "M5"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MachiningOptions m{.depth = 0.125, .safe_z = c.safe_z, .program_end = c.program_end};
    m.spindle = c.spindle;
    const std::vector<std::string> lines = Program(m, c.offset);
    EXPECT_EQ(Head(lines, c.head.size()), c.head);
    EXPECT_EQ(Tail(lines, c.tail.size()), c.tail);
  }
}

TEST(GCodeMachining, PassesEachStartWhereTheLastClosed) {
  const std::vector<std::string> lines = Program({.depth = 0.25, .depth_per_pass = 0.1});
  std::vector<std::string> downs;
  for (const std::string& line : lines) {
    if (line.starts_with("G1 Z")) downs.push_back(line);
  }
  EXPECT_EQ(downs, (std::vector<std::string>{"G1 Z-0.1 F10", "G1 Z-0.2 F10", "G1 Z-0.25 F10"}));
  EXPECT_EQ(lines.size(), 3 + 3 * (1 + 3 * 18u));  // units, rapid, retract; three passes
}

// Walks a program's moves: the XY length each tab's rise covers, and every word used.
struct Walk {
  std::vector<double> tab_lengths;  // XY length travelled while up at the tab's height
  std::set<std::string> words;
  bool continuous = true;
};

Walk WalkProgram(const std::vector<std::string>& lines, double tab_z) {
  Walk w;
  double x = NAN, y = NAN, z = 0;
  for (const std::string& line : lines) {
    for (size_t at = 0; at < line.size();) {
      const size_t end = line.find(' ', at);
      const std::string word = line.substr(at, end - at);
      if (!word.empty()) {
        const bool code = word[0] == 'G' || word[0] == 'M';
        w.words.insert(code ? word : word.substr(0, 1));
      }
      at = end == std::string::npos ? line.size() : end + 1;
    }
    if (line.starts_with("G0 X")) {
      x = Word(line, 'X');
      y = Word(line, 'Y');
    } else if (line.starts_with("G1 Z") || line.starts_with("G0 Z")) {
      const double next = Word(line, 'Z');
      if (next == tab_z) {
        w.tab_lengths.push_back(0);
      }
      z = next;
    } else if (line.starts_with("G2") || line.starts_with("G3")) {
      const double cx = x + Word(line, 'I'), cy = y + Word(line, 'J');
      const double ex = Word(line, 'X'), ey = Word(line, 'Y');
      const double r = std::hypot(x - cx, y - cy);
      if (std::fabs(std::hypot(ex - cx, ey - cy) - r) > kRadiusSlack) w.continuous = false;
      double sweep = std::atan2(ey - cy, ex - cx) - std::atan2(y - cy, x - cx);
      if (line.starts_with("G2")) sweep = -sweep;
      while (sweep <= 0) sweep += 2 * std::numbers::pi;
      if (z == tab_z) w.tab_lengths.back() += r * sweep;
      x = ex;
      y = ey;
    }
  }
  return w;
}

TEST(GCodeMachining, TabsRiseOverTheirWidthOnDeepPassesOnly) {
  struct Case {
    const char* name;
    std::optional<double> tool;
    int tabs;
    double width;
  };
  const Case cases[] = {
      {"on the outline", std::nullopt, 3, 0.1},
      {"on the cutter's path", 0.25, 8, 0.2},
      {"a tab per tooth", 0.125, 18, 0.05},
      {"narrower than the coordinates show", std::nullopt, 2, 0.00001},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Passes at 0.1, 0.2 and 0.25; the tabs stand to 0.18, so the first pass does not rise.
    const MachiningOptions m{
        .depth = 0.25,
        .tool_diameter = c.tool,
        .depth_per_pass = 0.1,
        .tabs = HoldingTabs{.count = c.tabs, .width = c.width, .height = 0.07}};
    const Walk w = WalkProgram(Program(m), -0.18);
    EXPECT_TRUE(w.continuous);
    // Words that a controller without cutter compensation knows.
    const std::set<std::string> known = {"G0", "G1", "G2", "G3", "G20", "F",
                                         "X",  "Y",  "Z",  "I",  "J"};
    for (const std::string& word : w.words) EXPECT_TRUE(known.contains(word)) << word;
    ASSERT_EQ(w.tab_lengths.size(), 2u * static_cast<size_t>(c.tabs));
    // On the outline the tab is as long as the edge it leaves; a cutter's path rises over a
    // longer stretch (measured by the cut it leaves, below).
    for (double length : w.tab_lengths) {
      if (c.tool) {
        EXPECT_GT(length, c.width);
      } else {
        EXPECT_NEAR(length, c.width, kTabLengthSlack);
      }
    }
  }
}

// 0.15 - 0.05 is a hair below 0.1 in binary, but both are written 0.1: the pass at 0.1 cuts at
// the tabs' top and does not rise.
TEST(GCodeMachining, PassAtTheTabsTopDoesNotRise) {
  const MachiningOptions m{.depth = 0.15,
                           .depth_per_pass = 0.1,
                           .tabs = HoldingTabs{.count = 3, .width = 0.1, .height = 0.05}};
  size_t z_moves = 0;
  for (const std::string& line : Program(m)) z_moves += line.starts_with("G1 Z-") ? 1 : 0;
  EXPECT_EQ(z_moves, 2u + 2u * 3u);  // two plunges; up and down over each tab on the last pass
}

// Holes come first, each with its own compensation block; the spindle starts once.
TEST(GCodeMachining, SeveralContoursInOrder) {
  const MachiningOptions m{.depth = 0.125,
                           .tabs = HoldingTabs{.count = 2, .width = 0.1, .height = 0.05},
                           .spindle = "1200",
                           .program_end = true};
  // A bore of radius 0.25, cut without a feed.
  FieldTexts fields = FieldsOf(m, true, "0.5");
  fields.feed = "";
  const std::vector<std::string> lines = SplitCrLf(WriteGCode(JobOf(fields)));
  // With several contours each is entered along its first segment's tangent, from twice its
  // smallest radius back, and left as far on along its last one's.
  const std::vector<std::string> head = {"G20",
                                         "G0 Z2.00",
                                         "G0 X0.5  Y-0.25",
                                         "G42",
                                         "G0 X0  Y-0.25",
                                         "M3 S1200",
                                         "G1 Z-0.125",
                                         "G2 X0  Y0.25 I0 J0.25",
                                         "G2 X0  Y-0.25 I0 J-0.25",
                                         "G0 Z2.00",
                                         "G0 X-0.5  Y-0.25",
                                         "G40",
                                         "G0 X1.0042  Y0.4714",
                                         "G42",
                                         "G0 X1.2748  Y0.6277",
                                         "G1 Z-0.125"};
  EXPECT_EQ(Head(lines, head.size()), head);
  EXPECT_EQ(Tail(lines, 5),
            (std::vector<std::string>{"G0 Z2.00", "G0 X1.5454  Y0.7839", "G40", "M5", "M2"}));
  // Tabs go on the outline only: two rises and two falls besides the plunges.
  size_t z_moves = 0;
  for (const std::string& line : lines) z_moves += line.starts_with("G1 Z");
  EXPECT_EQ(z_moves, 2u + 4u);
}

TEST(GCodeMachining, PlungeFeedOnEveryMoveDown) {
  MachiningOptions m{.depth = 0.25,
                     .tool_diameter = 0.125,
                     .depth_per_pass = 0.1,
                     .tabs = HoldingTabs{.count = 3, .width = 0.1, .height = 0.07}};
  m.plunge_feed = "3";
  double z = 2;
  size_t downs = 0;
  for (const std::string& line : Program(m)) {
    SCOPED_TRACE(line);
    const double next = Word(line, 'Z');
    const bool down = !std::isnan(next) && next < z;
    if (line.starts_with("G1 ") || line.starts_with("G2 ") || line.starts_with("G3 ")) {
      EXPECT_TRUE(line.ends_with(down ? " F3" : " F10"));
    }
    downs += down;
    if (!std::isnan(next)) z = next;
  }
  EXPECT_EQ(downs, 3u + 2u * 3u);  // three passes; after each tab on the two deep ones
}

TEST(GCodeMachining, PreambleComesFirst) {
  struct Case {
    const char* name;
    std::string_view program;
    const char* comment;
  };
  const Case cases[] = {
      {"description", kProgramName,
       "(toothwright-cli 2.0: ANSI 40, 18 teeth, tool 0.125 in, depth 0.25 in)"},
      {"parentheses and line breaks cannot end the comment", "a (b) c\r\nG0 Z-1",
       "(a [b] c  G0 Z-1: ANSI 40, 18 teeth, tool 0.125 in, depth 0.25 in)"},
  };
  const FieldTexts fields{.pitch = "0.5",
                          .teeth = "18",
                          .roller = "0.3125",
                          .depth = "0.25",
                          .tool_diameter = "0.125",
                          .preamble = true,
                          .chain = "ANSI 40"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<std::string> lines = SplitCrLf(WriteGCode(JobOf(fields), c.program));
    EXPECT_EQ(Head(lines, 4),
              (std::vector<std::string>{c.comment, "G20", "G17 G90 G94", "G0 Z2.00"}));
  }
}

// Climb runs every contour the other way round from the same start: the same end points in
// the reverse order, arcs turning the other way; with the controller's compensation on the
// left.
TEST(GCodeMachining, ClimbMirrorsTheTraversal) {
  struct Case {
    const char* name;
    bool offset;
    std::optional<double> tool;
  };
  const Case cases[] = {{"controller's compensation", true, std::nullopt},
                        {"computed cutter path", false, 0.125}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto moves = [&](CutDirection direction) {
      MachiningOptions m{.depth = 0.1, .tool_diameter = c.tool};
      m.direction = direction;
      // Per contour: the words of its moves and the points they end on.
      std::vector<std::vector<std::pair<std::string, std::string>>> out;
      for (const std::string& line : SplitCrLf(WriteGCode(JobOf(FieldsOf(m, c.offset, "0.5"))))) {
        if (line == "G41" || line == "G42") {
          EXPECT_EQ(line, direction == CutDirection::Climb ? "G41" : "G42");
        }
        if (line.starts_with("G1 Z")) out.emplace_back();
        if (line.starts_with("G2 ") || line.starts_with("G3 ")) {
          out.back().emplace_back(line.substr(0, 2), line.substr(3, line.find(" I") - 3));
        }
      }
      return out;
    };
    const auto conventional = moves(CutDirection::Conventional);
    const auto climb = moves(CutDirection::Climb);
    ASSERT_EQ(climb.size(), 2u);
    ASSERT_EQ(conventional.size(), 2u);
    for (size_t k = 0; k < 2; ++k) {
      const auto& there = conventional[k];
      const auto& back = climb[k];
      ASSERT_EQ(there.size(), back.size());
      const size_t n = there.size();
      for (size_t j = 0; j < n; ++j) {
        // Move j back ends where move n - 2 - j there ended; the last back where the first
        // there started (its own start, the contour closing).
        EXPECT_NE(back[j].first, there[n - 1 - j].first);
        if (j + 1 < n) {
          EXPECT_EQ(back[j].second, there[n - 2 - j].second);
        }
      }
      EXPECT_EQ(back.back().second, there.back().second);
    }
  }
}

// The moves of a program that go down along the path, and those that go down steeper than
// `angle` below the top of the stock (straight down among them).
struct Descents {
  size_t ramps = 0, steep = 0;
};

Descents DescentsOf(const std::string& program, double angle) {
  const double slope = std::tan(angle * std::numbers::pi / 180);
  double x = NAN, y = NAN, z = 2;
  Descents d;
  for (const std::string& line : SplitCrLf(program)) {
    const double next_z = std::isnan(Word(line, 'Z')) ? z : Word(line, 'Z');
    const double ex = std::isnan(Word(line, 'X')) ? x : Word(line, 'X');
    const double ey = std::isnan(Word(line, 'Y')) ? y : Word(line, 'Y');
    double length = std::hypot(ex - x, ey - y);
    if (line.starts_with("G2 ") || line.starts_with("G3 ")) {
      const double cx = x + Word(line, 'I'), cy = y + Word(line, 'J');
      double sweep = std::atan2(ey - cy, ex - cx) - std::atan2(y - cy, x - cx);
      if (line.starts_with("G2 ")) sweep = -sweep;
      while (sweep <= 0) sweep += 2 * std::numbers::pi;
      length = std::hypot(x - cx, y - cy) * sweep;
    }
    if (next_z < z && length > 0) ++d.ramps;
    if (next_z < z && next_z < 0 && !(length > 0 && (z - next_z) / length <= slope)) ++d.steep;
    x = ex;
    y = ey;
    z = next_z;
  }
  return d;
}

// Every move that goes down with a ramp angle set: along the path no steeper than the angle;
// straight down only onto the top of the stock (Z-0).
TEST(GCodeMachining, RampsAreNeverSteeperThanTheirAngle) {
  struct Case {
    const char* name;
    double angle;
    bool offset;
    std::optional<double> tool, per_pass;
    int tabs;
    CutDirection direction;
    std::optional<double> lead_in;
  };
  const Case cases[] = {
      {"5 degrees, one pass", 5, false, 0.125, std::nullopt, 0, CutDirection::Conventional},
      {"1 degree, passes, many turns in the hole", 1, false, 0.125, 0.05, 0,
       CutDirection::Conventional},
      {"45 degrees, climb", 45, false, 0.25, 0.1, 0, CutDirection::Climb},
      {"5 degrees, tabs between every tooth", 5, false, 0.125, 0.1, 18, CutDirection::Conventional},
      {"2 degrees, tabs, climb", 2, false, 0.125, 0.06, 4, CutDirection::Climb},
      {"controller's compensation", 5, true, std::nullopt, 0.1, 0, CutDirection::Conventional},
      {"entry arcs and tabs", 5, false, 0.125, 0.1, 4, CutDirection::Conventional, 0.1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MachiningOptions m{.depth = 0.25, .tool_diameter = c.tool, .depth_per_pass = c.per_pass};
    if (c.tabs) m.tabs = HoldingTabs{.count = c.tabs, .width = 0.05, .height = 0.05};
    m.direction = c.direction;
    m.ramp_angle = c.angle;
    m.lead_in = c.lead_in;
    const Descents d = DescentsOf(WriteGCode(JobOf(FieldsOf(m, c.offset, "0.5"))), c.angle);
    EXPECT_EQ(d.steep, 0u);
    EXPECT_GT(d.ramps, 0u);
  }
}

// Passes that start just before or after a tab, and steps down of a ten-thousandth after one,
// ramp like any other: they once went straight down.
TEST(GCodeMachining, RampsNearTabsAndTinyStepsRampAllTheWay) {
  struct Case {
    const char *name, *pitch, *roller, *teeth, *depth, *tool, *tabs, *width, *height, *per_pass;
    double angle;
  };
  const Case cases[] = {
      {"a pass starting just before a tab", "0.25", "0.13", "13", "0.067", "0.0236", "3", "0.1233",
       "0.0285", "0.0344", 20},
      {"one tab, the pass ending near it", "0.5", "0.3125", "13", "0.2983", "0.0638", "1", "0.3781",
       "0.2264", "", 1},
      {"a step of a ten-thousandth below the tabs", "0.5", "0.3125", "13", "0.1713", "0.0252", "7",
       "0.0565", "0.0506", "0.0604", 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FieldTexts f{.pitch = c.pitch,
                       .teeth = c.teeth,
                       .roller = c.roller,
                       .depth = c.depth,
                       .feed = "10",
                       .tool_diameter = c.tool,
                       .depth_per_pass = c.per_pass,
                       .tabs = c.tabs,
                       .tab_width = c.width,
                       .tab_height = c.height,
                       .ramp_angle = FormatReal(c.angle)};
    EXPECT_EQ(DescentsOf(WriteGCode(JobOf(f)), c.angle).steep, 0u);
  }
}

// With nothing to go down (a depth of 0) a ramped pass is the plain one: a single level turn.
TEST(GCodeMachining, RampToTheTopIsOneLevelTurn) {
  MachiningOptions m{.depth = 0};
  const std::string plain = WriteGCode(JobOf(FieldsOf(m)));
  m.ramp_angle = 30;
  EXPECT_EQ(WriteGCode(JobOf(FieldsOf(m))), plain);
}

}  // namespace
}  // namespace toothwright
