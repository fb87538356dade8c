// LinuxCNC's interpreter reads the programs the way a machine does: the computed cutter path
// must match its own G42 compensation of the same outline with the tool loaded, and a program
// with every machining option must run to its end with no warning. Skipped where rs274 is not
// installed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <optional>
#include <regex>
#include <string>
#include <tuple>
#include <utility>
#include <variant>
#include <vector>

#include "../cli/temp_dir.h"
#include "geometry/segment.h"
#include "numbers/numbers.h"
#include "numbers/units.h"
#include "output/gcode.h"
#include "output_test_support.h"
#include "run/run.h"
#include "sprocket/lead_in.h"
#include "sprocket/tool_fit.h"

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
  std::vector<Segment> deepest;            // the feed moves in XY level at the lowest height
  std::string before_moves;                // every call before the first move, one a line
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
  const std::regex arc(R"(ARC_FEED\(([^,]+),([^,]+),([^,]+),([^,]+),([^,]+),([^,]+),)");
  const std::regex straight(R"((STRAIGHT_FEED|STRAIGHT_TRAVERSE)\(([^,]+),([^,]+),([^,]+),)");
  double z = 0, lowest = 0;
  Point at;
  // Each XY feed move with its heights at start and end.
  std::vector<std::tuple<Segment, double, double>> feeds;
  for (std::string line; std::getline(out, line);) {
    std::smatch m;
    if (feeds.empty() && run.arcs.empty() && line.find("STRAIGHT_") == std::string::npos) {
      run.before_moves += line.substr(std::min(line.find("N..... ") + 7, line.size())) + "\n";
    }
    if (std::regex_search(line, m, straight)) {
      const Point to{std::stod(m[2]), std::stod(m[3])};
      const double from_z = z;
      if (m[1] == "STRAIGHT_FEED" && std::stod(m[4]) < z) run.downs.push_back({to.x, to.y});
      z = std::stod(m[4]);
      if (m[1] == "STRAIGHT_FEED" && !(to == at)) {
        feeds.emplace_back(Segment{.start = at, .end = to}, from_z, z);
      }
      at = to;
    }
    if (!std::regex_search(line, m, arc)) continue;
    std::vector<double> a;
    for (size_t k = 1; k <= 5; ++k) a.push_back(std::stod(m[k]));
    run.arcs.push_back(a);
    const Point to{a[0], a[1]}, centre{a[2], a[3]};
    const double from_z = z;
    z = std::stod(m[6]);
    feeds.emplace_back(
        Segment{.kind = a[4] > 0 ? SegmentKind::CounterClockwiseArc : SegmentKind::ClockwiseArc,
                .start = at,
                .end = to,
                .centre = centre,
                .radius = std::hypot(to.x - centre.x, to.y - centre.y)},
        from_z, z);
    at = to;
  }
  for (const auto& [s, from_z, to_z] : feeds) lowest = std::min(lowest, to_z);
  for (const auto& [s, from_z, to_z] : feeds) {
    if (from_z == lowest && to_z == lowest) run.deepest.push_back(s);
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

// The outline sampled every kSampleStep along it, for the swept-disc simulation.
constexpr double kSampleStep = 5e-4;
// A cutter that comes down this close beyond its radius counts as coming down on the outline:
// the program's four decimals and rs274's own.
constexpr double kCutSlack = 2.5e-4;
// A sample counts as cut when a cutter at the deepest height passes this close beyond its
// radius: a written arc's ends and centre may each lie 0.71e-4 off, so a seat may stay up to
// 2e-4 short of the drawing.
constexpr double kSweptSlack = 2.5e-4;

// How much shorter than the edge a tab leaves the swept-disc measure finds it: beside a convex
// arc of radius r, a cutter of radius R that passes within e of it touches a stretch of
// 2 * sqrt(2 e r R / (r + R)) of it.
double SweptShortfall(double r, double R) {
  return 2 * std::sqrt(2 * kSweptSlack * r * R / (r + R));
}

std::vector<Point> Samples(const Path& outline) {
  std::vector<Point> points;
  for (const Segment& s : outline.segments) {
    const double length = SegmentLength(s);
    for (double along = 0; along < length; along += kSampleStep) {
      points.push_back(PointAlong(s, along));
    }
  }
  return points;
}

// The lengths of the stretches of the outline that no cutter of `radius` at the deepest height
// touched, in order from the outline's start.
std::vector<double> Uncut(const Path& outline, const std::vector<Segment>& cuts, double radius) {
  std::vector<double> stretches;
  bool open = false;
  for (const Point& p : Samples(outline)) {
    bool cut = false;
    for (const Segment& s : cuts) cut = cut || Nearest(s, p).distance <= radius + kSweptSlack;
    if (!cut && !open) stretches.push_back(0);
    if (!cut) stretches.back() += kSampleStep;
    open = !cut;
  }
  return stretches;
}

// Whether p lies inside the closed outline (crossings of a ray towards +X with its samples).
bool Inside(const Path& outline, Point p) {
  const std::vector<Point> ring = Samples(outline);
  bool inside = false;
  for (size_t k = 0, j = ring.size() - 1; k < ring.size(); j = k++) {
    const Point a = ring[k], b = ring[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y)) {
      inside = !inside;
    }
  }
  return inside;
}

double DistanceTo(const Path& outline, Point p) {
  double nearest = INFINITY;
  for (const Segment& s : outline.segments) nearest = std::min(nearest, Nearest(s, p).distance);
  return nearest;
}

std::string GCode(const FieldTexts& fields) {
  auto results = RunDesign(fields);
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

// With the controller's compensation, a part without holes: whatever the machine's position
// before the program, the cutter comes down beside the outline, never inside it.
TEST(Rs274, OffsetEntryComesDownBesideTheOutlineFromAnywhere) {
  if (!HaveRs274()) GTEST_SKIP() << "rs274 (LinuxCNC) is not installed";
  struct Case {
    const char* name;
    const char* teeth;
    double tool;
  };
  const Case cases[] = {{"18 teeth, 0.125 tool", "18", 0.125}, {"9 teeth, 0.25 tool", "9", 0.25}};
  for (const Case& c : cases) {
    const FieldTexts f{.pitch = "0.5",
                       .teeth = c.teeth,
                       .roller = "0.3125",
                       .depth = "0.125",
                       .feed = "10",
                       .offset = true,
                       .program_end = true};
    const std::string program = GCode(f);
    const Path outline = std::get<RunResults>(RunDesign(f)).job.sprocket.outline;
    for (const char* from : {"G0 X0 Y0\r\n", "G0 X0 Y3\r\n", "G0 X-3 Y-3\r\n"}) {
      SCOPED_TRACE(std::string(c.name) + " from " + from);
      const Rs274Run run = RunRs274(from + program, c.tool);
      EXPECT_EQ(run.errors, "");
      ASSERT_EQ(run.downs.size(), 1u);
      const Point down{run.downs[0][0], run.downs[0][1]};
      EXPECT_FALSE(Inside(outline, down));
      EXPECT_GE(DistanceTo(outline, down), c.tool / 2 - kCutSlack);
    }
  }
}

// A tab leaves its width of the outline attached, with the program's cutter path and with the
// controller's compensation of the outline alike.
TEST(Rs274, TabsLeaveTheirWidthOfTheOutline) {
  if (!HaveRs274()) GTEST_SKIP() << "rs274 (LinuxCNC) is not installed";
  constexpr double kTool = 0.125, kWidth = 0.2;
  struct Case {
    const char* name;
    bool offset;
    double slack;  // the controller's corners are its own
  };
  const Case cases[] = {{"cutter path", false, 0.01}, {"offset", true, 0.025}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FieldTexts f{.pitch = "0.5",
                 .teeth = "18",
                 .roller = "0.3125",
                 .depth = "0.25",
                 .feed = "10",
                 .tabs = "4",
                 .tab_width = "0.2",
                 .tab_height = "0.05",
                 .program_end = true};
    f.offset = c.offset;
    if (!c.offset) f.tool_diameter = "0.125";
    const Path outline = std::get<RunResults>(RunDesign(f)).job.sprocket.outline;
    const Rs274Run run = RunRs274(GCode(f), c.offset ? kTool : 0);
    EXPECT_EQ(run.errors, "");
    const std::vector<double> uncut = Uncut(outline, run.deepest, kTool / 2);
    ASSERT_EQ(uncut.size(), 4u);
    // The tabs' ends lie on flanks, of radius 0.5 - 0.3125 / 2.
    const double shortfall = SweptShortfall(0.34375, kTool / 2);
    for (double length : uncut) EXPECT_NEAR(length + shortfall, kWidth, c.slack);
  }
}

// The largest tool that fits (see the tool fit tests) writes seat arcs LinuxCNC runs.
TEST(Rs274, LargestToolThatFitsRunsToTheEnd) {
  if (!HaveRs274()) GTEST_SKIP() << "rs274 (LinuxCNC) is not installed";
  struct Case {
    const char *name, *pitch, *roller, *teeth, *units, *bore;
  };
  const Case cases[] = {
      {"ANSI 40, 18 teeth", "0.5", "0.3125", "18", "English", ""},
      {"ANSI 25, 9 teeth", "0.25", "0.13", "9", "English", ""},
      {"ISO 08B, 50 teeth, metric", "12.7", "8.51", "50", "Metric", ""},
      {"ANSI 40 with a bore smaller than the seats", "0.5", "0.3125", "18", "English", "0.3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FieldTexts f{.pitch = c.pitch,
                 .teeth = c.teeth,
                 .roller = c.roller,
                 .units = c.units,
                 .depth = "0.1",
                 .feed = "10",
                 .program_end = true,
                 .bore = c.bore};
    const SprocketRun s = std::get<RunResults>(RunDesign(f)).job.sprocket;
    std::vector<Path> contours = s.holes;
    contours.push_back(s.outline);
    const double largest = LargestToolDiameter(contours, UnitOf(c.units));
    for (double tool : {largest, largest - 1e-4, largest / 2}) {
      FieldTexts cut = f;
      cut.tool_diameter = FormatReal(tool);
      const Rs274Run run = RunRs274(WriteGCode(JobOf(cut)), 0);
      EXPECT_EQ(run.errors, "") << tool;
    }
  }
}

// Under the controller's compensation every tool the part takes runs to the end, both ways
// round: the exit leaves along the last cut's tangent, so the cancel turns no corner, and a
// ramp ends where a segment does, leaving no short piece before a concave corner. The program
// rises before its first move across, and ramps come down onto the top of the stock only.
TEST(Rs274, OffsetRunsToTheEndWithEveryToolThePartTakes) {
  if (!HaveRs274()) GTEST_SKIP() << "rs274 (LinuxCNC) is not installed";
  struct Case {
    const char* name;
    FieldTexts fields;
    std::vector<double> shares;  // of the largest tool the part takes
    std::vector<double> tools;   // besides, in inches
  };
  const Case cases[] = {
      {"ANSI 60, 47 teeth",
       {.pitch = "0.75", .teeth = "47", .roller = "0.46875", .depth = "0.3", .feed = "10"},
       {1, 0.999, 0.9, 0.78, 0.5},
       {}},
      {"ANSI 40, 9 teeth, ramped",
       {.pitch = "0.5",
        .teeth = "9",
        .roller = "0.3125",
        .depth = "0.25",
        .feed = "10",
        .ramp_angle = "5"},
       {1, 0.9, 0.5},
       {}},
      {"ANSI 40, 18 teeth, keyway, passes, ramped",
       {.pitch = "0.5",
        .teeth = "18",
        .roller = "0.3125",
        .depth = "0.25",
        .feed = "10",
        .depth_per_pass = "0.1",
        .bore = "0.75",
        .keyway_width = "0.1875",
        .keyway_depth = "0.09375",
        .ramp_angle = "5"},
       {},
       {0.125, 0.0562}},
  };
  for (const Case& c : cases) {
    const SprocketRun s = std::get<RunResults>(RunDesign(c.fields)).job.sprocket;
    std::vector<Path> contours = s.holes;
    contours.push_back(s.outline);
    std::vector<double> tools = c.tools;
    for (double share : c.shares) {
      tools.push_back(share * LargestToolDiameter(contours, LengthUnit::Inch));
    }
    for (const char* direction : {"", "climb"}) {
      FieldTexts f = c.fields;
      f.offset = true;
      f.program_end = true;
      f.direction = direction;
      const std::string program = GCode(f);
      EXPECT_TRUE(program.starts_with("G20\r\nG0 Z2.00\r\n"));
      for (double tool : tools) {
        SCOPED_TRACE(std::string(c.name) + ", " + direction + ", tool " + FormatReal(tool));
        const Rs274Run run = RunRs274(program, tool);
        EXPECT_EQ(run.errors, "");
        // In a hole the controller may shorten a ramp's piece to nothing in a concave corner.
        if (!f.ramp_angle.empty() && s.holes.empty()) {
          EXPECT_EQ(run.downs.size(), contours.size());
        }
      }
    }
  }
}

// The options that change how the program is worded or travelled, each read by LinuxCNC to the
// end; the preamble sets its modes before the first move.
TEST(Rs274, OptionsRunToTheEnd) {
  if (!HaveRs274()) GTEST_SKIP() << "rs274 (LinuxCNC) is not installed";
  struct Case {
    const char* name;
    bool offset;
    std::optional<double> tool;
    CutDirection direction;
    const char* plunge_feed;
    bool preamble;
  };
  const Case cases[] = {
      {"climb, controller's compensation", true, std::nullopt, CutDirection::Climb, "", false},
      {"climb, computed cutter path", false, 0.125, CutDirection::Climb, "", false},
      {"plunge feed and preamble", false, 0.125, CutDirection::Conventional, "3", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MachiningOptions m{.depth = 0.25,
                       .tool_diameter = c.tool,
                       .depth_per_pass = 0.1,
                       .tabs = HoldingTabs{.count = 3, .width = 0.1, .height = 0.05},
                       .program_end = true};
    m.direction = c.direction;
    m.plunge_feed = c.plunge_feed;
    FieldTexts f = WithMachining({.pitch = "0.5",
                                  .teeth = "18",
                                  .roller = "0.3125",
                                  .feed = "10",
                                  .offset = c.offset,
                                  .bore = "0.75",
                                  .keyway_width = "0.1875",
                                  .keyway_depth = "0.09375"},
                                 m);
    f.preamble = c.preamble;
    const Rs274Run run = RunRs274(WriteGCode(JobOf(f)), c.offset ? 0.125 : 0);
    EXPECT_EQ(run.errors, "");
    EXPECT_EQ(run.downs.size(), 2 * 3 + 3u);  // three passes a contour; after each tab once
    if (c.preamble) {
      for (const char* call : {"COMMENT(\"toothwright-cli 2.0: ", "SET_FEED_MODE(0, 0)",
                               "SELECT_PLANE(CANON_PLANE_XY)"}) {
        EXPECT_NE(run.before_moves.find(call), std::string::npos) << call;
      }
    }
  }
}

// Ramped passes cut the same part as plunged ones: the same stretches of the outline and the
// bore left standing (only the tabs), read by LinuxCNC.
TEST(Rs274, RampsCutThePartThatPlungesCut) {
  if (!HaveRs274()) GTEST_SKIP() << "rs274 (LinuxCNC) is not installed";
  const SprocketRun s =
      std::get<RunResults>(
          RunDesign({.pitch = "0.5", .teeth = "18", .roller = "0.3125", .bore = "0.75"}))
          .job.sprocket;
  constexpr double kTool = 0.125;
  struct Case {
    const char* name;
    bool offset;
    int tabs;
    CutDirection direction;
  };
  const Case cases[] = {
      {"computed path, tabs", false, 4, CutDirection::Conventional},
      {"computed path, tabs, climb", false, 4, CutDirection::Climb},
      {"controller's compensation", true, 0, CutDirection::Conventional},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MachiningOptions m{.depth = 0.25, .depth_per_pass = 0.1, .program_end = true};
    if (!c.offset) m.tool_diameter = kTool;
    if (c.tabs) m.tabs = HoldingTabs{.count = c.tabs, .width = 0.2, .height = 0.05};
    m.direction = c.direction;
    const auto cut = [&](std::optional<double> ramp) {
      m.ramp_angle = ramp;
      const Rs274Run run = RunRs274(WriteGCode(JobOf(WithMachining({.pitch = "0.5",
                                                                    .teeth = "18",
                                                                    .roller = "0.3125",
                                                                    .feed = "10",
                                                                    .offset = c.offset,
                                                                    .bore = "0.75"},
                                                                   m))),
                                    c.offset ? kTool : 0);
      EXPECT_EQ(run.errors, "");
      return std::pair{Uncut(s.outline, run.deepest, kTool / 2),
                       Uncut(s.holes[0], run.deepest, kTool / 2)};
    };
    const auto plunged = cut(std::nullopt);
    const auto ramped = cut(5);
    EXPECT_TRUE(ramped.second.empty());
    ASSERT_EQ(ramped.first.size(), static_cast<size_t>(c.tabs));
    ASSERT_EQ(plunged.first.size(), ramped.first.size());
    for (size_t k = 0; k < plunged.first.size(); ++k) {
      EXPECT_NEAR(ramped.first[k], plunged.first[k], 2 * kSampleStep);
    }
  }
}

// With entry arcs each contour's cutter goes down in the waste, clear of the part's edge, and
// the part cut is the one cut without them.
TEST(Rs274, LeadInsGoDownInTheWaste) {
  if (!HaveRs274()) GTEST_SKIP() << "rs274 (LinuxCNC) is not installed";
  constexpr double kTool = 0.125, kLeadIn = 0.1;
  const SprocketRun s = std::get<RunResults>(RunDesign({.pitch = "0.5",
                                                        .teeth = "18",
                                                        .roller = "0.3125",
                                                        .bore = "0.75",
                                                        .bolt_holes = "3",
                                                        .bolt_hole_diameter = "0.5",
                                                        .bolt_circle = "1.6"}))
                            .job.sprocket;
  std::vector<Path> contours = s.holes;
  contours.push_back(s.outline);
  ASSERT_TRUE(LeadInFits(contours, kTool, kLeadIn, std::nullopt));
  EXPECT_FALSE(LeadInFits(contours, kTool, 0.19, std::nullopt));  // the bolt holes' 0.1875
  EXPECT_FALSE(LeadInFits(contours, kTool, kLeadIn, HoldingTabs{.count = 18, .width = 0.1}));
  struct Case {
    const char* name;
    std::optional<double> ramp;
    CutDirection direction;
  };
  const Case cases[] = {{"plunged", std::nullopt, CutDirection::Conventional},
                        {"ramped", 5, CutDirection::Conventional},
                        {"ramped, climb", 5, CutDirection::Climb}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MachiningOptions m{.depth = 0.25,
                       .tool_diameter = kTool,
                       .depth_per_pass = 0.1,
                       .tabs = HoldingTabs{.count = 4, .width = 0.2, .height = 0.05},
                       .program_end = true};
    m.direction = c.direction;
    m.ramp_angle = c.ramp;
    const auto run = [&](std::optional<double> lead_in) {
      m.lead_in = lead_in;
      return RunRs274(WriteGCode(JobOf(WithMachining({.pitch = "0.5",
                                                      .teeth = "18",
                                                      .roller = "0.3125",
                                                      .feed = "10",
                                                      .bore = "0.75",
                                                      .bolt_holes = "3",
                                                      .bolt_hole_diameter = "0.5",
                                                      .bolt_circle = "1.6"},
                                                     m))),
                      0);
    };
    const Rs274Run plain = run(std::nullopt);
    const Rs274Run led = run(kLeadIn);
    EXPECT_EQ(led.errors, "");
    // Every move down in the waste: inside a hole or outside the outline, a cutter's radius
    // clear of the edge.
    ASSERT_FALSE(led.downs.empty());
    for (const auto& d : led.downs) {
      const Point p{d[0], d[1]};
      double clearance = DistanceTo(s.outline, p);
      for (const Path& hole : s.holes) clearance = std::min(clearance, DistanceTo(hole, p));
      EXPECT_GE(clearance, kTool / 2 - kCutSlack) << p.x << " " << p.y;
      bool in_hole = false;
      for (const Path& hole : s.holes) in_hole = in_hole || Inside(hole, p);
      EXPECT_TRUE(in_hole || !Inside(s.outline, p)) << p.x << " " << p.y;
    }
    for (const Path* contour : {&s.outline, &s.holes[0], &s.holes[3]}) {
      const std::vector<double> theirs = Uncut(*contour, plain.deepest, kTool / 2);
      const std::vector<double> ours = Uncut(*contour, led.deepest, kTool / 2);
      ASSERT_EQ(ours.size(), theirs.size());
      for (size_t k = 0; k < ours.size(); ++k) EXPECT_NEAR(ours[k], theirs[k], 2 * kSampleStep);
    }
  }
}

// A laser's and a torch's programs run to the end; the torch comes down to its cut height at
// each start.
TEST(Rs274, BeamProgramsRunToTheEnd) {
  if (!HaveRs274()) GTEST_SKIP() << "rs274 (LinuxCNC) is not installed";
  for (const FieldTexts& beam : {BeamLaser(), BeamPlasma()}) {
    SCOPED_TRACE(beam.process);
    FieldTexts f = beam;
    f.program_end = true;
    f.direction = "climb";
    const bool laser = f.process == "laser";
    const Rs274Run run = RunRs274(WriteGCode(JobOf(f)), 0);
    EXPECT_EQ(run.errors, "");
    EXPECT_EQ(run.downs.size(), laser ? 0u : 4u);  // the bore, the outline, after each tab
  }
}

}  // namespace
}  // namespace toothwright
