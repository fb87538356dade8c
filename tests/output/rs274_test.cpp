// LinuxCNC's interpreter reads the programs the way a machine does: the computed cutter path
// must match its own G42 compensation of the same outline with the tool loaded, and a program
// with every machining option must run to its end with no warning. Skipped where rs274 is not
// installed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <regex>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "../cli/temp_dir.h"
#include "output/pipeline.h"
#include "sprocket/numbers.h"

namespace toothwright {
namespace {

// How far the computed path may lie from the controller's own; rs274 prints four decimals.
constexpr double kSamePath = 3e-4;
constexpr double kMillimetresPerInch = 25.4;

bool HaveRs274() {
  return std::system("command -v rs274 > /dev/null 2>&1") == 0;
}

struct Rs274Run {
  std::vector<std::vector<double>> arcs;   // end x, end y, centre x, centre y, rotation
  std::vector<std::vector<double>> downs;  // x, y of every feed move straight down
  std::string errors;                      // standard error, less the "executing" line
};

// Runs program through rs274 in batch mode with a tool table of one tool of tool_inches
// diameter (loaded first when above 0), each run with its own HOME: rs274 keeps its tool
// table in $HOME, shared by every run at the same time.
Rs274Run RunRs274(const std::string& program, double tool_inches) {
  const TempDir dir;
  std::ofstream(dir / "tool.tbl") << "T1 P1 D" << FormatReal(tool_inches) << " Z0 ;tool\n";
  std::ofstream(dir / "p.ngc") << (tool_inches > 0 ? "T1 M6\r\n" : "") << program;
  const std::string command = "cd '" + (dir / "") + "' && HOME=. rs274 -g -t tool.tbl p.ngc " +
                              "< /dev/null > out.txt 2> err.txt";
  EXPECT_EQ(std::system(command.c_str()), 0);
  Rs274Run run;
  std::ifstream out(dir / "out.txt");
  const std::regex arc(R"(ARC_FEED\(([^,]+),([^,]+),([^,]+),([^,]+),([^,]+),)");
  const std::regex straight(R"((STRAIGHT_FEED|STRAIGHT_TRAVERSE)\(([^,]+),([^,]+),([^,]+),)");
  double z = 0;
  for (std::string line; std::getline(out, line);) {
    std::smatch m;
    if (std::regex_search(line, m, straight)) {
      if (m[1] == "STRAIGHT_FEED" && std::stod(m[4]) < z) {
        run.downs.push_back({std::stod(m[2]), std::stod(m[3])});
      }
      z = std::stod(m[4]);
    }
    if (!std::regex_search(line, m, arc)) continue;
    std::vector<double> a;
    for (size_t k = 1; k <= 5; ++k) a.push_back(std::stod(m[k]));
    run.arcs.push_back(a);
  }
  std::ifstream err(dir / "err.txt");
  for (std::string line; std::getline(err, line);) {
    if (line != "executing") run.errors += line + "\n";
  }
  return run;
}

// The middle of an arc (end x, end y, centre x, centre y, rotation) that starts at the end of
// the arc before it.
std::pair<double, double> Middle(const std::vector<double>& before,
                                 const std::vector<double>& arc) {
  const double cx = arc[2], cy = arc[3];
  const double from = std::atan2(before[1] - cy, before[0] - cx);
  double sweep = std::atan2(arc[1] - cy, arc[0] - cx) - from;
  if (arc[4] < 0) sweep = -sweep;
  while (sweep <= 0) sweep += 2 * std::numbers::pi;
  const double middle = from + (arc[4] < 0 ? -sweep : sweep) / 2;
  const double r = std::hypot(arc[0] - cx, arc[1] - cy);
  return {cx + r * std::cos(middle), cy + r * std::sin(middle)};
}

std::string GCode(const FieldTexts& fields) {
  auto results = Run(fields);
  EXPECT_TRUE(std::holds_alternative<RunResults>(results));
  return std::holds_alternative<RunResults>(results) ? std::get<RunResults>(results).gcode : "";
}

TEST(Rs274, ComputedPathMatchesTheControllersCompensation) {
  if (!HaveRs274()) GTEST_SKIP() << "rs274 (LinuxCNC) is not installed";
  struct Case {
    const char *name, *pitch, *roller, *teeth, *units, *clearance, *tip, *tool;
  };
  const Case cases[] = {
      {"ANSI 40, 18 teeth", "0.5", "0.3125", "18", "English", "", "", "0.25"},
      {"ANSI 25, 9 teeth, small tool", "0.25", "0.13", "9", "English", "", "", "0.03"},
      {"ANSI 60, 13 teeth, metric, topped", "19.05", "11.91", "13", "Metric", "", "ANSI", "6"},
      {"ANSI 40, 41 teeth, clearance and topped", "0.5", "0.3125", "41", "English", "ANSI", "ANSI",
       "0.125"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FieldTexts f{.pitch = c.pitch,
                 .teeth = c.teeth,
                 .roller = c.roller,
                 .units = c.units,
                 .depth = "0.1",
                 .feed = "10",
                 .seat_clearance = c.clearance,
                 .tip_diameter = c.tip,
                 .program_end = true};  // no warning about a missing program end
    f.offset = true;
    const double tool = *ParseReal(c.tool);
    const Rs274Run theirs =
        RunRs274(GCode(f), std::string(c.units) == "English" ? tool : tool / kMillimetresPerInch);
    f.offset = false;
    f.tool_diameter = c.tool;
    const Rs274Run ours = RunRs274(GCode(f), 0);
    EXPECT_EQ(theirs.errors, "");
    EXPECT_EQ(ours.errors, "");
    // Theirs starts with the entry move's turn onto the path, when the entry needs one.
    ASSERT_GE(theirs.arcs.size(), ours.arcs.size());
    ASSERT_LE(theirs.arcs.size(), ours.arcs.size() + 1);
    const size_t entry = theirs.arcs.size() - ours.arcs.size();
    // Our arcs are written about a centre on the bisector of their rounded ends, which may lie
    // far from the exact centre on a short arc of a large radius; the arc itself may not.
    for (size_t k = 0; k < ours.arcs.size(); ++k) {
      for (size_t i : {0, 1, 4}) {
        EXPECT_NEAR(ours.arcs[k][i], theirs.arcs[k + entry][i], kSamePath) << "arc " << k;
      }
      if (k == 0) continue;
      const auto [x, y] = Middle(ours.arcs[k - 1], ours.arcs[k]);
      const auto [their_x, their_y] = Middle(theirs.arcs[k + entry - 1], theirs.arcs[k + entry]);
      EXPECT_NEAR(x, their_x, kSamePath) << "arc " << k;
      EXPECT_NEAR(y, their_y, kSamePath) << "arc " << k;
    }
  }
}

TEST(Rs274, EveryOptionRunsToTheEndWithoutAWarning) {
  if (!HaveRs274()) GTEST_SKIP() << "rs274 (LinuxCNC) is not installed";
  const Rs274Run run = RunRs274(GCode({.pitch = "0.5",
                                       .teeth = "18",
                                       .roller = "0.3125",
                                       .depth = "0.25",
                                       .feed = "10",
                                       .tool_diameter = "0.25",
                                       .depth_per_pass = "0.1",
                                       .tabs = "3",
                                       .tab_width = "0.2",
                                       .tab_height = "0.05",
                                       .safe_z = "0.2",
                                       .spindle = "1200",
                                       .program_end = true}),
                                0);
  EXPECT_EQ(run.errors, "");
  EXPECT_EQ(run.arcs.size(), 3 * (3 * 18u + 18u) + 2 * 3u * 3u);  // passes; tab splits
}

// Holes cut with the controller's compensation: the cutter comes down inside each hole, clear
// of its edge, and goes round every bolt hole at the hole's radius less its own.
TEST(Rs274, CompensatedHolesAreEnteredInsideAndCutAllRound) {
  if (!HaveRs274()) GTEST_SKIP() << "rs274 (LinuxCNC) is not installed";
  constexpr double kTool = 0.125, kHole = 0.125, kCircle = 0.75, kBore = 0.375;
  const Rs274Run run = RunRs274(GCode({.pitch = "0.5",
                                       .teeth = "18",
                                       .roller = "0.3125",
                                       .depth = "0.125",
                                       .feed = "10",
                                       .offset = true,
                                       .program_end = true,
                                       .bore = "0.75",
                                       .keyway_width = "0.1875",
                                       .keyway_depth = "0.09375",
                                       .bolt_holes = "4",
                                       .bolt_hole_diameter = "0.25",
                                       .bolt_circle = "1.5"}),
                                kTool);
  EXPECT_EQ(run.errors, "");
  const double centres[][2] = {{kCircle, 0}, {0, kCircle}, {-kCircle, 0}, {0, -kCircle}};
  ASSERT_EQ(run.downs.size(), 6u);
  for (size_t k = 0; k < 4; ++k) {
    SCOPED_TRACE(k);
    const auto& d = run.downs[k];
    const double x = centres[k][0], y = centres[k][1];
    EXPECT_LE(std::hypot(d[0] - x, d[1] - y) + kTool / 2, kHole + kSamePath);
    int round = 0;
    for (const auto& a : run.arcs) {
      if (a[2] == x && a[3] == y) {
        EXPECT_NEAR(std::hypot(a[0] - x, a[1] - y), kHole - kTool / 2, kSamePath);
        ++round;
      }
    }
    EXPECT_EQ(round, 2);  // two half circles
  }
  EXPECT_LE(std::hypot(run.downs[4][0], run.downs[4][1]) + kTool / 2, kBore + kSamePath);
}

}  // namespace
}  // namespace toothwright
