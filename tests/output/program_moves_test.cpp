// Reading a milling program back into moves; the job's moves are the program's read back, and
// the cut length and time measured on them.
#include "support/program_moves.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <variant>

#include "numbers/numbers.h"
#include "output/cut_statistics.h"
#include "output/gcode.h"
#include "support/ansi40_18_teeth.h"
#include "support/sprockets.h"

namespace toothwright {
namespace {

// One move as text: kind, X Y from and to, Z from and to, [centre], [F feed][*: own F],
// [compensation], line.
std::string Describe(const ProgramMove& m) {
  static const char* const kKinds[] = {"G0", "G1", "G2", "G3"};
  static const char* const kSides[] = {"", " G41", " G42"};
  std::string s = kKinds[static_cast<int>(m.kind)];
  auto point = [](Point p) { return FormatReal(p.x) + "," + FormatReal(p.y); };
  s += " " + point(m.start) + ">" + point(m.end) + " z" + FormatReal(m.z_from) + ">" +
       FormatReal(m.z_to);
  if (IsArc(m)) s += " c" + point(m.centre);
  if (m.feed) s += " F" + FormatReal(*m.feed) + (m.feed_word ? "*" : "");
  s += kSides[static_cast<int>(m.compensation)];
  return s + " @" + std::to_string(m.line);
}

std::string DescribeAll(const ProgramMoves& program) {
  std::string s;
  for (const ProgramMove& m : program.moves) s += Describe(m) + "\n";
  return s;
}

TEST(ProgramMoves, ReadsTheWordsOfThePrograms) {
  struct Case {
    const char* name;
    const char* program;
    const char* moves;
  };
  const Case cases[] = {
      {"the plain program: Z from the top face, the first rapid move does not travel",
       "G20\r\nG42\r\nG0 X1.2748  Y0.6277\r\nG1 Z-0.125 F10\r\n"
       "G3 X1.4322  Y0.8269 I-0.1719 J0.2977 F10\r\nG0 Z2.00\r\nG40\r\n",
       "G0 1.2748,0.6277>1.2748,0.6277 z0>0 G42 @3\n"
       "G1 1.2748,0.6277>1.2748,0.6277 z0>-0.125 F10* G42 @4\n"
       "G3 1.2748,0.6277>1.4322,0.8269 z-0.125>-0.125 c1.1029,0.9254 F10* G42 @5\n"
       "G0 1.4322,0.8269>1.4322,0.8269 z-0.125>2 F10 G42 @6\n"},
      {"a safe height first, a preamble, a plunge feed and a helical ramp",
       "%\n(Toothwright: ANSI 40, 18 teeth)\nG17 G90 G94\nG21\nG0 Z5\nG0 X10 Y0\nM3 S12000\n"
       "G1 Z0.5 F50\nG2 X10 Y0 Z-1.25 I-10 J0 F300\nG1 X10.123456 Y-0.5\nM5\nM2\n%\n",
       "G0 10,0>10,0 z5>5 @6\n"
       "G1 10,0>10,0 z5>0.5 F50* @8\n"
       "G2 10,0>10,0 z0.5>-1.25 c0,0 F300* @9\n"
       "G1 10,0>10.123456,-0.5 z-1.25>-1.25 F300 @10\n"},
      {"modal motion and feed, words in any order and case, blanks after letters, signs",
       "g21 g0 x0 y0 z1\nG1 Z-.5 F 12 (plunge)\nX+2. ; comment\nY3 G42\ng3 x0 y3 i-1 j0\n"
       "N10 G40 G0 Z1\n",
       "G0 0,0>0,0 z0>1 @1\n"
       "G1 0,0>0,0 z1>-0.5 F12* @2\n"
       "G1 0,0>2,0 z-0.5>-0.5 F12 @3\n"
       "G1 2,0>2,3 z-0.5>-0.5 F12 G42 @4\n"
       "G3 2,3>0,3 z-0.5>-0.5 c1,3 F12 G42 @5\n"
       "G0 0,3>0,3 z-0.5>1 F12 @6\n"},
      {"a rapid move that leaves X or Y unknown only sets what it gives",
       "G0 Z2\nG0 X1\nG0 Y2\nG1 Z-1\n",
       "G0 1,2>1,2 z2>2 @3\n"
       "G1 1,2>1,2 z2>-1 @4\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto read = ReadProgramMoves(c.program);
    ASSERT_TRUE(std::holds_alternative<ProgramMoves>(read))
        << std::get<ProgramError>(read).line << ": " << std::get<ProgramError>(read).reason;
    EXPECT_EQ(DescribeAll(std::get<ProgramMoves>(read)), c.moves);
  }
}

TEST(ProgramMoves, RefusesWhatItDoesNotRead) {
  struct Case {
    const char* name;
    const char* program;
    ProgramError error;
  };
  const Case cases[] = {
      {"incremental distances", "G20\nG91\n", {2, "G91 not read here"}},
      {"another plane", "G18\n", {1, "G18 not read here"}},
      {"a G code with decimals", "G90.1\n", {1, "G90.1 not read here"}},
      {"a subprogram call", "G0 X0 Y0\nM98 P100\n", {2, "M98 not read here"}},
      {"a radius word", "G0 X0 Y0\nG2 X1 Y1 R1\n", {2, "word R not read here"}},
      {"an exponent is an E word", "G0 X0 Y0\nG1 Z-1E-05\n", {2, "word E not read here"}},
      {"a letter without a number", "G0 X Y1\n", {1, "no number after X"}},
      {"a sign without digits", "G0 X- Y1\n", {1, "no number after X"}},
      {"an open comment", "(note\nG0 X0 Y0\n", {1, "comment not closed"}},
      {"two motion codes", "G0 G1 X1 Y1\n", {1, "two motion codes on one line"}},
      {"coordinates before a motion code", "X1 Y1\n", {1, "coordinates before any motion code"}},
      {"I on a straight move", "G0 X0 Y0\nG1 X1 I1\n", {2, "I or J without an arc"}},
      {"an arc without a centre", "G0 X0 Y0\nG2 X1 Y1\n", {2, "arc without I or J"}},
      {"a feed move from nowhere", "G1 X1 Y1 F10\n", {1, "feed move before X and Y are known"}},
      {"an arc from nowhere", "G0 Z1\nG3 X1 Y1 I1\n", {2, "feed move before X and Y are known"}},
      {"units changed", "G20\nG0 X0 Y0\nG21\n", {3, "units changed"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto read = ReadProgramMoves(c.program);
    ASSERT_TRUE(std::holds_alternative<ProgramError>(read));
    EXPECT_EQ(std::get<ProgramError>(read), c.error);
  }
}

ProgramMoves Read(std::string_view program) {
  auto read = ReadProgramMoves(program);
  EXPECT_TRUE(std::holds_alternative<ProgramMoves>(read));
  return std::holds_alternative<ProgramMoves>(read) ? std::get<ProgramMoves>(std::move(read))
                                                    : ProgramMoves{};
}

// The length of every feed move of a program, summed straight from its lines: the position
// starts at Z 0, arcs are taken from their I and J, a full circle where the ends meet.
struct IndependentSum {
  double length = 0;
  double minutes = 0;
};
IndependentSum SumFeedMoves(const std::string& program) {
  IndependentSum sum;
  double x = 0, y = 0, z = 0, feed = 0;
  int mode = 0;
  std::istringstream lines(program);
  const std::regex word(R"(([GXYZIJF])\s*([-+]?[0-9.]+))");
  for (std::string line; std::getline(lines, line);) {
    double nx = x, ny = y, nz = z, i = 0, j = 0;
    bool moved = false;
    for (std::sregex_iterator w(line.begin(), line.end(), word), end; w != end; ++w) {
      const char letter = (*w)[1].str()[0];
      const double value = std::stod((*w)[2]);
      if (letter == 'G' && value <= 3) mode = static_cast<int>(value);
      if (letter == 'X') nx = value, moved = true;
      if (letter == 'Y') ny = value, moved = true;
      if (letter == 'Z') nz = value, moved = true;
      if (letter == 'I') i = value;
      if (letter == 'J') j = value;
      if (letter == 'F') feed = value;
    }
    if (moved && mode != 0) {
      double across = std::hypot(nx - x, ny - y);
      if (mode >= 2) {
        const double cx = x + i, cy = y + j, r = std::hypot(i, j);
        double turn = std::atan2(ny - cy, nx - cx) - std::atan2(y - cy, x - cx);
        if (mode == 2) turn = -turn;
        while (turn <= 0) turn += 2 * std::numbers::pi;
        across = r * turn;
      }
      const double length = std::hypot(across, nz - z);
      sum.length += length;
      sum.minutes += length / feed;
    }
    x = nx, y = ny, z = nz;
  }
  return sum;
}

// How close the measured length must come to the independent sum.
constexpr double kRelativeLength = 1e-6;

// Field texts over every way of going down and round: passes, tabs, compensation with a safe
// height, millimetres, ramps, lead arcs, a plunge feed, climb.
std::vector<std::pair<const char*, FieldTexts>> MachinedCases() {
  const FieldTexts& machined = kAnsi40Machined;
  FieldTexts compensated = machined;
  compensated.tool_diameter = "";
  compensated.offset = true;
  compensated.safe_z = "0.5";
  compensated.spindle = "1200";
  compensated.preamble = true;
  FieldTexts ramped = machined;
  ramped.ramp_angle = "3";
  ramped.plunge_feed = "4";
  FieldTexts led = ramped;
  led.lead_in = "0.05";
  led.direction = "climb";
  FieldTexts plunged_in = machined;
  plunged_in.lead_in = "0.05";
  plunged_in.program_end = true;
  const FieldTexts metric{.pitch = "12.7",
                          .teeth = "45",
                          .roller = "7.95",
                          .units = "Metric",
                          .depth = "3",
                          .feed = "250"};
  return {{"ANSI 40, 18 teeth, cutter path, passes, tabs, bore and bolt holes", machined},
          {"compensated, with a safe height", compensated},
          {"ramped, with a plunge feed", ramped},
          {"ramped lead arcs, climb", led},
          {"plunged lead arcs", plunged_in},
          {"metric, one pass", metric}};
}

// The job's moves hold what a reader of its program reads: every move, its numbers to the
// last bit, its feed in effect and the compensation it is made with.
TEST(JobMoves, AreTheProgramReadBack) {
  for (const auto& [name, fields] : MachinedCases()) {
    SCOPED_TRACE(name);
    const Job job = JobOf(fields);
    const ProgramMoves read = Read(WriteGCode(job));
    std::vector<const Move*> planned;
    ProgramCompensation compensation = ProgramCompensation::Off;
    std::vector<ProgramCompensation> compensations;
    for (const Move& m : job.moves) {
      if (m.kind == MoveKind::CompensationRight) compensation = ProgramCompensation::Right;
      if (m.kind == MoveKind::CompensationLeft) compensation = ProgramCompensation::Left;
      if (m.kind == MoveKind::CompensationOff) compensation = ProgramCompensation::Off;
      // A reader takes a height before the first point across as no move.
      if (IsFeedMove(m) || (m.kind == MoveKind::Rapid && (m.across || !planned.empty()))) {
        planned.push_back(&m);
        compensations.push_back(compensation);
      }
    }
    ASSERT_EQ(planned.size(), read.moves.size());
    for (size_t k = 0; k < planned.size(); ++k) {
      const Move& m = *planned[k];
      const ProgramMove& r = read.moves[k];
      SCOPED_TRACE(r.line);
      EXPECT_EQ(static_cast<int>(m.kind) - static_cast<int>(MoveKind::Rapid),
                static_cast<int>(r.kind));
      EXPECT_EQ(m.start, r.start);
      EXPECT_EQ(m.end, r.end);
      EXPECT_EQ(m.z_from, r.z_from);
      EXPECT_EQ(m.z_to, r.z_to);
      if (IsArc(m)) {
        EXPECT_EQ(m.centre, r.centre);
      }
      if (IsFeedMove(m)) {
        EXPECT_EQ(m.feed, r.feed);
      }
      EXPECT_EQ(compensations[k], r.compensation);
    }
  }
}

TEST(CutStatistics, LengthAndTimeAreTheSumOverTheFeedMoves) {
  for (const auto& [name, fields] : MachinedCases()) {
    SCOPED_TRACE(name);
    const Job job = JobOf(fields);
    const IndependentSum expected = SumFeedMoves(WriteGCode(job));
    const CutStatistics stats = MeasureCut(job.moves);
    EXPECT_NEAR(stats.length, expected.length, kRelativeLength * expected.length);
    ASSERT_TRUE(stats.minutes.has_value());
    EXPECT_NEAR(*stats.minutes, expected.minutes, kRelativeLength * expected.minutes);
  }
}

TEST(CutStatistics, TimeNeedsAFeed) {
  FieldTexts fields = kAnsi40Machined;
  fields.feed = "";
  EXPECT_EQ(MeasureCut(JobOf(fields).moves).minutes, std::nullopt);
}

TEST(CutStatistics, Texts) {
  struct Case {
    const char* name;
    std::string text, expected;
  };
  const Case cases[] = {
      {"inches to four decimals", FormatCutLength(96.81754, LengthUnit::Inch), "96.8175 in"},
      {"millimetres", FormatCutLength(1181.5, LengthUnit::Millimetre), "1181.5 mm"},
      {"no feed", FormatCutTime(std::nullopt), "-"},
      {"rounded to the second", FormatCutTime(9.6817), "9 min 41 s"},
      {"a whole minute", FormatCutTime(59.75 / 60), "1 min 0 s"},
      {"hours stay minutes", FormatCutTime(125.05), "125 min 3 s"},
      {"a moment is a second", FormatCutTime(1e-9), "0 min 1 s"},
      {"nothing cut", FormatCutTime(0.0), "0 min 0 s"},
      {"beyond any double", FormatCutTime(INFINITY), "-"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.text, c.expected);
  }
}

}  // namespace
}  // namespace toothwright
