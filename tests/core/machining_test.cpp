// The strict depth and feed, the machining fields' checks and messages, and the pass depths.
#include "sprocket/machining.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/sprockets.h"

namespace toothwright {
namespace {

// The message for these texts over ANSI 40, 18 teeth; an empty depth or feed stands for 0.125
// or 10 (a blank one is left out).
std::string MessageFor(FieldTexts f) {
  f.pitch = "0.5";
  f.teeth = "18";
  f.roller = "0.3125";
  if (f.depth.empty()) f.depth = "0.125";
  if (f.feed.empty()) f.feed = "10";
  const auto message = CheckFields(f);
  return message ? message->message : "";
}

// On ANSI 40, 18 teeth, a tooth's part between its seats is 0.52 long on the outline and
// 0.91 on the path of a 0.25 cutter.
TEST(MachiningChecks, EachFieldHasItsMessage) {
  struct Case {
    const char* name;
    FieldTexts texts;
    const char* message;
  };
  const Case cases[] = {
      // The forms a strict number refuses are ParseReal's table; one row per field here.
      {"depth with a unit", {.depth = "0.25mm"}, kDepthMessage},
      {"blank depth", {.depth = "  "}, ""},
      {"negative depth", {.depth = "-0.125"}, ""},
      {"F in the feed", {.feed = "F7"}, kFeedMessage},
      {"zero feed", {.feed = "0"}, kFeedMessage},
      {"blank feed", {.feed = " "}, ""},
      {"feed with spaces round it", {.feed = " 12 "}, ""},
      {"order: depth before feed", {.depth = "1/8", .feed = "F7"}, kDepthMessage},
      {"tool 0.25 passes", {.tool_diameter = "0.25"}, ""},
      {"tool text", {.tool_diameter = "1/4"}, kToolDiameterMessage},
      {"tool as wide as the seat", {.tool_diameter = "0.3125"}, kToolDiameterMessage},
      {"tool within a clearance seat", {.seat_clearance = "0.01", .tool_diameter = "0.33"}, ""},
      {"tool and offset", {.offset = true, .tool_diameter = "0.25"}, kToolDiameterMessage},
      {"depth per pass 0", {.depth_per_pass = "0"}, kDepthPerPassMessage},
      {"100 passes", {.depth = "1", .depth_per_pass = "0.01"}, ""},
      {"101 passes", {.depth = "1.01", .depth_per_pass = "0.01"}, kDepthPerPassMessage},
      {"tabs pass", {.tabs = "3", .tab_width = "0.1", .tab_height = "0.05"}, ""},
      {"tabs 0", {.tabs = "0", .tab_width = "0.1", .tab_height = "0.05"}, kTabsMessage},
      {"a tab per tooth", {.tabs = "18", .tab_width = "0.1", .tab_height = "0.05"}, ""},
      {"more tabs than teeth",
       {.tabs = "19", .tab_width = "0.1", .tab_height = "0.05"},
       kTabsMessage},
      {"tab size without tabs", {.tab_width = "0.1"}, kTabsMessage},
      {"tab width missing", {.tabs = "3", .tab_height = "0.05"}, kTabWidthMessage},
      {"tab just fits a tooth", {.tabs = "3", .tab_width = "0.52", .tab_height = "0.05"}, ""},
      {"tab wider than a tooth",
       {.tabs = "3", .tab_width = "0.53", .tab_height = "0.05"},
       kTabWidthMessage},
      {"tab measured on the part's edge, not the cutter's longer path",
       {.tool_diameter = "0.25", .tabs = "3", .tab_width = "0.9", .tab_height = "0.05"},
       kTabWidthMessage},
      {"tab height at the depth",
       {.tabs = "3", .tab_width = "0.1", .tab_height = "0.125"},
       kTabHeightMessage},
      {"tabs without a depth",
       {.depth = " ", .tabs = "3", .tab_width = "0.1", .tab_height = "0.05"},
       kTabHeightMessage},
      {"safe Z 0", {.safe_z = "0"}, kSafeZMessage},
      {"spindle with a unit", {.spindle = "1200rpm"}, kSpindleMessage},
      // The program would write these with an exponent, whose E a controller reads as a word.
      {"feed with an exponent", {.feed = "1e1"}, kFeedMessage},
      {"spindle with an exponent", {.spindle = "1.2E3"}, kSpindleMessage},
      {"safe Z below 1e-4", {.safe_z = "0.00005"}, kSafeZMessage},
      {"depth per pass below 1e-4",
       {.depth = "0.0002", .depth_per_pass = "0.00005"},
       kDepthPerPassMessage},
      {"tab top below 1e-4",
       {.tabs = "3", .tab_width = "0.1", .tab_height = "0.12499"},
       kTabHeightMessage},
      {"everything at once passes",
       {.tool_diameter = "0.25",
        .depth_per_pass = "0.05",
        .tabs = "4",
        .tab_width = "0.1",
        .tab_height = "0.03",
        .safe_z = "0.2",
        .spindle = "1200"},
       ""},
      {"order: tool before spindle", {.tool_diameter = "0", .spindle = "0"}, kToolDiameterMessage},
      {"order: feed before the options", {.feed = "F7", .tool_diameter = "0"}, kFeedMessage},
      {"order: tabs before safe Z", {.tabs = "x", .safe_z = "0"}, kTabsMessage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(MessageFor(c.texts), c.message);
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

namespace toothwright {
namespace {

// How the program enters each contour: each option's refusals on ANSI 40, 18 teeth, in their
// order after the mounting and the solid.
TEST(MachiningChecks, EntryOptionsHaveTheirMessages) {
  struct Case {
    const char* name;
    FieldTexts texts;
    std::string message;
  };
  const Case cases[] = {
      {"all of them",
       {.tool_diameter = "0.125",
        .plunge_feed = "5",
        .ramp_angle = "5",
        .lead_in = "0.1",
        .direction = " Climb "},
       ""},
      {"plunge feed of letters", {.plunge_feed = "F5"}, MessageOf(Field::PlungeFeed)},
      {"plunge feed without a feed",
       {.feed = " ", .plunge_feed = "5"},
       MessageOf(Field::PlungeFeed)},
      {"ramp steeper than 45 degrees", {.ramp_angle = "46"}, MessageOf(Field::RampAngle)},
      {"ramp under 1 degree", {.ramp_angle = "0.5"}, MessageOf(Field::RampAngle)},
      {"ramp over tabs under the controller's offset",
       {.offset = true, .tabs = "3", .tab_width = "0.1", .tab_height = "0.05", .ramp_angle = "5"},
       MessageOf(Field::RampAngle)},
      {"lead-in without a tool", {.lead_in = "0.1"}, MessageOf(Field::LeadIn)},
      {"lead-in too wide for the bore",
       {.tool_diameter = "0.125", .bore = "0.5", .lead_in = "0.3"},
       MessageOf(Field::LeadIn)},
      {"direction misspelt", {.direction = "clmb"}, MessageOf(Field::Direction)},
      {"order: thickness before plunge feed",
       {.thickness = "0", .plunge_feed = "F"},
       MessageOf(Field::Thickness)},
      {"order: ramp before direction",
       {.ramp_angle = "90", .direction = "x"},
       MessageOf(Field::RampAngle)},
      {"tool leaving a seat arc no radius",
       {.tool_diameter = "0.3124"},
       MessageOf(Field::ToolDiameter)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(MessageFor(c.texts), c.message);
  }
}

}  // namespace
}  // namespace toothwright
