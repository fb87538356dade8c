// The strict depth and feed, the machining fields' checks and messages, and the pass depths.
#include "sprocket/machining.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sprocket/run.h"

namespace toothwright {
namespace {

// ANSI 40, 18 teeth, depth 0.125 and feed 10, no option set.
FieldTexts Ansi40() {
  return {.pitch = "0.5", .teeth = "18", .roller = "0.3125", .depth = "0.125", .feed = "10"};
}

std::string MessageFor(const FieldTexts& f) {
  const auto message = CheckFields(f);
  return message ? message->text : "";
}

// The texts a case sets on top of ANSI 40, 18 teeth.
struct Texts {
  const char* depth = "0.125";
  bool offset = false;
  const char* seat_clearance = "";
  const char* tool = "";
  const char* per_pass = "";
  const char* tabs = "";
  const char* width = "";
  const char* height = "";
  const char* safe_z = "";
  const char* spindle = "";
  const char* feed = "10";
};

FieldTexts With(const Texts& t) {
  FieldTexts f = Ansi40();
  f.depth = t.depth;
  f.feed = t.feed;
  f.offset = t.offset;
  f.seat_clearance = t.seat_clearance;
  f.tool_diameter = t.tool;
  f.depth_per_pass = t.per_pass;
  f.tabs = t.tabs;
  f.tab_width = t.width;
  f.tab_height = t.height;
  f.safe_z = t.safe_z;
  f.spindle = t.spindle;
  return f;
}

// On ANSI 40, 18 teeth, a tooth's part between its seats is 0.52 long on the outline and
// 0.91 on the path of a 0.25 cutter.
TEST(MachiningChecks, EachFieldHasItsMessage) {
  struct Case {
    const char* name;
    Texts texts;
    const char* message;
  };
  const Case cases[] = {
      {"fraction depth", {.depth = "1/8"}, kDepthMessage},
      {"decimal comma", {.depth = "0,125"}, kDepthMessage},
      {"depth with a unit", {.depth = "0.25mm"}, kDepthMessage},
      {"blank depth", {.depth = "  "}, ""},
      {"negative depth", {.depth = "-0.125"}, ""},
      {"F in the feed", {.feed = "F7"}, kFeedMessage},
      {"feed with a unit", {.feed = "10 mm/min"}, kFeedMessage},
      {"zero feed", {.feed = "0"}, kFeedMessage},
      {"blank feed", {.feed = " "}, ""},
      {"feed with spaces round it", {.feed = " 12 "}, ""},
      {"order: depth before feed", {.depth = "1/8", .feed = "F7"}, kDepthMessage},
      {"tool 0.25 passes", {.tool = "0.25"}, ""},
      {"tool text", {.tool = "1/4"}, kToolDiameterMessage},
      {"tool as wide as the seat", {.tool = "0.3125"}, kToolDiameterMessage},
      {"tool within a clearance seat", {.seat_clearance = "0.01", .tool = "0.33"}, ""},
      {"tool and offset", {.offset = true, .tool = "0.25"}, kToolDiameterMessage},
      {"depth per pass 0", {.per_pass = "0"}, kDepthPerPassMessage},
      {"100 passes", {.depth = "1", .per_pass = "0.01"}, ""},
      {"101 passes", {.depth = "1.01", .per_pass = "0.01"}, kDepthPerPassMessage},
      {"tabs pass", {.tabs = "3", .width = "0.1", .height = "0.05"}, ""},
      {"tabs 0", {.tabs = "0", .width = "0.1", .height = "0.05"}, kTabsMessage},
      {"a tab per tooth", {.tabs = "18", .width = "0.1", .height = "0.05"}, ""},
      {"more tabs than teeth", {.tabs = "19", .width = "0.1", .height = "0.05"}, kTabsMessage},
      {"tab size without tabs", {.width = "0.1"}, kTabsMessage},
      {"tab width missing", {.tabs = "3", .height = "0.05"}, kTabWidthMessage},
      {"tab just fits a tooth", {.tabs = "3", .width = "0.52", .height = "0.05"}, ""},
      {"tab wider than a tooth",
       {.tabs = "3", .width = "0.53", .height = "0.05"},
       kTabWidthMessage},
      {"tab fits the cutter's longer path",
       {.tool = "0.25", .tabs = "3", .width = "0.9", .height = "0.05"},
       ""},
      {"tab height at the depth",
       {.tabs = "3", .width = "0.1", .height = "0.125"},
       kTabHeightMessage},
      {"tabs without a depth",
       {.depth = "", .tabs = "3", .width = "0.1", .height = "0.05"},
       kTabHeightMessage},
      {"safe Z 0", {.safe_z = "0"}, kSafeZMessage},
      {"spindle with a unit", {.spindle = "1200rpm"}, kSpindleMessage},
      {"everything at once passes",
       {.tool = "0.25",
        .per_pass = "0.05",
        .tabs = "4",
        .width = "0.1",
        .height = "0.03",
        .safe_z = "0.2",
        .spindle = "1200"},
       ""},
      {"order: tool before spindle", {.tool = "0", .spindle = "0"}, kToolDiameterMessage},
      {"order: feed before the options", {.tool = "0", .feed = "F7"}, kFeedMessage},
      {"order: tabs before safe Z", {.tabs = "x", .safe_z = "0"}, kTabsMessage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(MessageFor(With(c.texts)), c.message);
  }
}

TEST(PassDepths, StepsThenTheFullDepth) {
  struct Case {
    const char* name;
    double depth;
    std::optional<double> step;
    std::vector<double> passes;
  };
  const Case cases[] = {
      {"no depth per pass", 0.25, std::nullopt, {0.25}},
      {"0.25 by 0.1", 0.25, 0.1, {0.1, 0.2, 0.25}},
      {"3 * 0.1 lies a hair above 0.3", 0.3, 0.1, {0.1, 0.2, 0.3}},
      {"step deeper than the cut", 0.1, 0.25, {0.1}},
      {"step equal to the cut", 0.1, 0.1, {0.1}},
      {"no depth", 0, 0.1, {0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(PassDepths({.depth = c.depth, .depth_per_pass = c.step}), c.passes);
  }
}

}  // namespace
}  // namespace toothwright
