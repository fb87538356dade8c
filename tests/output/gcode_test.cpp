// The milling program: ANSI 40, 18 teeth line for line, the line counts, and the units,
// offset, feed and depth variants.
#include "output/gcode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output_test_support.h"

namespace toothwright {
namespace {

struct Settings {
  std::string units = "English";
  bool offset = false;
  std::string depth = "0.125";
  std::string feed;
  std::string teeth = "18";
};

// The program of a 0.5 by 0.3125 chain's sprocket with nothing but the settings.
std::string Text(const Settings& settings) {
  return WriteGCode(JobOf({.pitch = "0.5",
                           .teeth = settings.teeth,
                           .roller = "0.3125",
                           .units = settings.units,
                           .depth = settings.depth,
                           .feed = settings.feed,
                           .offset = settings.offset}));
}

std::vector<std::string> Program(const Settings& settings) {
  return SplitCrLf(Text(settings));
}

TEST(GCode, Ansi40EighteenTeethLineForLine) {
  const std::vector<std::string> lines = Program({.offset = true, .depth = "0.125", .feed = "10"});
  ASSERT_EQ(lines.size(), 63u);
  // Up first, then entered along the first flank's tangent, so the controller's entry move
  // ends beside the start wherever the machine stood; left along the last seat's tangent, the
  // entry's mirror, so the cancel turns no corner.
  const std::vector<std::string> head = {
      "G20",
      "G0 Z2.00",
      "G0 X1.0042  Y0.4714",
      "G42",
      "G0 X1.2748  Y0.6277",
      "G1 Z-0.125 F10",
      "G3 X1.4322  Y0.8269 I-0.1719 J0.2976 F10",
      "G3 X1.181  Y0.7901 I-0.0793 J-0.3345 F10",
  };
  const std::vector<std::string> tail = {
      "G3 X1.4126  Y-0.1539 I-0.2757 J-0.2054 F10",
      "G2 X1.4126  Y0.1539 I0.0271 J0.1539 F10",
      "G3 X1.6286  Y0.2872 I-0.0597 J0.3385 F10",
      "G3 X1.38  Y0.3385 I-0.1889 J-0.2872 F10",
      "G2 X1.2748  Y0.6277 I-0.0271 J0.1539 F10",
      "G0 Z2.00",
      "G0 X1.5454  Y0.7839",
      "G40",
  };
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 8), head);
  EXPECT_EQ(std::vector<std::string>(lines.end() - 8, lines.end()), tail);
}

// Without a G40 a controller holds the compensated moves back: the last seat would stay uncut
// and the cutter down at depth.
TEST(GCode, CompensationIsCancelledAfterTheRetract) {
  const std::string text = Text({.offset = true, .depth = "0"});
  EXPECT_TRUE(text.ends_with("\r\nG0 Z2.00\r\nG0 X1.5454  Y0.7839\r\nG40\r\n"));
  const std::string plain = Text({.depth = "0"});
  EXPECT_TRUE(plain.ends_with("\r\nG0 Z2.00\r\n"));
  EXPECT_EQ(plain.find("G4"), std::string::npos);
}

TEST(GCode, LineCountsAndWordOrder) {
  struct Case {
    const char* name;
    const char* teeth;
    bool offset;
    size_t lines;
  };
  const Case cases[] = {
      {"4 teeth", "4", false, 16},      {"4 teeth with offset", "4", true, 21},
      {"18 teeth", "18", false, 58},    {"18 teeth with offset", "18", true, 63},
      {"130 teeth", "130", false, 394},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SprocketRun s = MakeSprocket("0.5", c.teeth, "0.3125");
    const std::vector<std::string> lines = Program({.offset = c.offset, .teeth = c.teeth});
    ASSERT_EQ(lines.size(), c.lines);
    std::vector<std::string> words;
    for (const std::string& line : lines) words.push_back(line.substr(0, line.find(' ')));
    std::vector<std::string> expected = {"G20"};
    if (c.offset) expected.insert(expected.end(), {"G0", "G0", "G42"});
    expected.insert(expected.end(), {"G0", "G1"});
    for (int i = 0; i < s.N; ++i) expected.insert(expected.end(), {"G3", "G3", "G2"});
    expected.push_back("G0");
    if (c.offset) expected.insert(expected.end(), {"G0", "G40"});
    EXPECT_EQ(words, expected);
  }
}

TEST(GCode, UnitsLine) {
  struct Case {
    const char* units;
    const char* line;
  };
  const Case cases[] = {
      {"English", "G20"}, {"Metric", "G21"}, {"english", "G21"}, {"", "G21"}, {"English ", "G21"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(Program({.units = c.units})[0], c.line);
  }
}

TEST(GCode, FeedSuffixOnThePlungeAndEveryArc) {
  struct Case {
    const char* name;
    std::string feed;
    std::string suffix;  // empty: no F word anywhere
  };
  const Case cases[] = {
      {"empty", "", ""},          {"a lone space", " ", ""},
      {"a number", "12", " F12"}, {"a leading space is kept", " 12", " F 12"},
      {"two spaces", "  ", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<std::string> lines = Program({.feed = c.feed});
    for (const std::string& line : lines) {
      SCOPED_TRACE(line);
      const std::string word = line.substr(0, line.find(' '));
      const bool carries_feed = word == "G1" || word == "G2" || word == "G3";
      if (carries_feed && !c.suffix.empty()) {
        EXPECT_TRUE(line.ends_with(c.suffix));
      } else {
        EXPECT_EQ(line.find(" F"), std::string::npos);
      }
    }
  }
}

// The run has read the depth text strictly and dropped its sign; the line writes the value.
TEST(GCode, PlungeDepth) {
  struct Case {
    const char* depth;
    const char* line;
  };
  const Case cases[] = {
      {"0.1", "G1 Z-0.1"},    {"0", "G1 Z-0"}, {"-0.1", "G1 Z-0.1"},
      {"1.5E3", "G1 Z-1500"}, {"", "G1 Z-0"},  {"0.1234567", "G1 Z-0.1234567"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(Program({.depth = c.depth})[2], c.line);
  }
}

}  // namespace
}  // namespace toothwright
