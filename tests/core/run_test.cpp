// The checks of a run and the derived dimensions.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <variant>

#include "sprocket/job.h"
#include "support/sprockets.h"

namespace toothwright {
namespace {

std::string MessageFor(FieldTexts f) {
  const auto result = RunSprocket(f);
  if (const auto* m = std::get_if<FieldError>(&result)) return m->message;
  return "";
}

TEST(RunChecks, FirstFailingFieldIsReported) {
  struct Case {
    const char *name, *pitch, *teeth, *roller, *depth, *message;
  };
  const Case cases[] = {
      {"all empty", "", "", "", "", kPitchMessage},
      {"pitch 0 and 2 teeth", "0", "2", "0.3", "", kPitchMessage},
      {"pitch -1", "-1", "18", "0.3", "", kPitchMessage},
      {"pitch -0", "-0", "18", "0.3", "", kPitchMessage},
      {"pitch abc", "abc", "18", "0.3", "", kPitchMessage},
      {"pitch with unit", "0.5in", "18", "0.3", "", kPitchMessage},
      {"pitch fraction", "1/2", "18", "0.3", "", kPitchMessage},
      {"pitch overflow", "1e400", "18", "0.3", "", kPitchMessage},
      {"pitch infinite diameter", "1e308", "18", "0.3", "", kPitchMessage},
      {"pitch overflowing squares", "1e200", "18", "0.3", "", kPitchMessage},
      {"3 teeth", "0.5", "3", "0.3", "", kTeethMessage},
      {"empty teeth", "0.5", "", "0.3", "", kTeethMessage},
      {"fractional teeth", "0.5", "13.5", "0.3", "", kTeethMessage},
      {"3.5 teeth", "0.5", "3.5", "0.3", "", kTeethMessage},
      {"too many teeth", "0.5", "10001", "0.3", "", kTeethMessage},
      {"teeth with letters", "0.5", "18x", "0.3", "", kTeethMessage},
      {"roller 0", "0.5", "18", "0", "", kRollerMessage},
      {"roller empty", "0.5", "18", "", "", kRollerMessage},
      {"roller equals pitch", "0.5", "18", "0.5", "", kRollerMessage},
      {"roller above pitch", "0.5", "18", "0.7", "", kRollerMessage},
      {"roller with unit", "0.5", "18", "0.3mm", "", kRollerMessage},
      {"flank circles apart", "0.0001", "4", "0.00009", "", kRollerMessage},
      {"roller too small to construct on a huge pitch", "21e6", "11", "0.4", "", kRollerMessage},
      {"pitch too large to write without exponents", "1e14", "4", "6e13", "", kPitchMessage},
      {"depth overflow", "0.5", "18", "0.3125", "1e999", kDepthMessage},
      {"depth written with an exponent below 1e-4", "0.5", "18", "0.3125", "0.00001",
       kDepthMessage},
      {"depth written with an exponent from 1e15", "0.5", "18", "0.3125", "1e15", kDepthMessage},
      {"depth typed with an exponent passes", "0.5", "18", "0.3125", "1.25e-1", ""},
      {"large pitch written without exponents passes", "1e13", "4", "6e12", "", ""},
      {"seats too small to show pass as they always did", "0.5", "4", "0.0001", "", ""},
      {"depth with a unit", "0.5", "18", "0.3125", "0.25mm", kDepthMessage},
      {"4 teeth pass", "0.5", "4", "0.3125", "", ""},
      {"10000 teeth pass", "0.5", "10000", "0.3125", "", ""},
      {"large pitch with a small roller passes", "621000", "11", "0.4", "", ""},
      {"tiny chain passes", "0.001", "18", "0.0006", "", ""},
      {"whole teeth in other forms", "0.5", "1.8E1", "0.3125", "", ""},
      {"teeth 18.0", "0.5", " 18.0 ", "0.3125", "", ""},
      {"tiny underflowing depth", "0.5", "18", "0.3125", "1e-999", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(
        MessageFor({.pitch = c.pitch, .teeth = c.teeth, .roller = c.roller, .depth = c.depth}),
        c.message);
  }
}

// A refusal names its field, so the window can put the focus there, and says why in the
// current unit when there is more to say than the message.
TEST(RunChecks, RefusalsNameTheirFieldAndReason) {
  struct Case {
    const char* name;
    FieldTexts fields;
    Field field;
    const char* reason;
  };
  const Case cases[] = {
      {"teeth out of range",
       {.pitch = "0.5", .teeth = "3", .roller = "0.3125"},
       Field::Teeth,
       "A whole number from 4 to 10000"},
      {"roller as large as the pitch",
       {.pitch = "12.7", .teeth = "18", .roller = "12.7", .units = "Metric"},
       Field::Roller,
       "The roller must be smaller than the pitch (12.7 mm): at most 12.699 mm"},
      {"cutter wider than the seats",
       {.pitch = "0.5", .teeth = "18", .roller = "0.3125", .tool_diameter = "0.375"},
       Field::ToolDiameter,
       "The largest tool that fits is 0.3121 in"},
      {"cutter written as a fraction",
       {.pitch = "0.5", .teeth = "18", .roller = "0.3125", .tool_diameter = "1/8"},
       Field::ToolDiameter,
       "\"1/8\" is not a plain decimal number, such as 0.125"},
      {"keyway without a bore",
       {.pitch = "0.5", .teeth = "18", .roller = "0.3125", .keyway_width = "0.1"},
       Field::KeywayWidth,
       "A keyway needs a bore diameter"},
      {"feed of 0",
       {.pitch = "0.5", .teeth = "18", .roller = "0.3125", .feed = "0"},
       Field::Feed,
       "It must be above 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<FieldError> error = CheckFields(c.fields);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->field, c.field);
    EXPECT_EQ(error->message, MessageOf(c.field));
    EXPECT_EQ(error->reason, c.reason);
  }
}

TEST(RunDimensions, DerivedValues) {
  struct Case {
    const char *pitch, *teeth, *roller, *pitch_diameter;
    double tooth_angle, roller_radius, flank_radius;
  };
  const Case cases[] = {
      {"0.5", "18", "0.3125", "2.87938524157182", 20, 0.15625, 0.34375},
      {"0.5", "6", "0.3125", "1", 60, 0.15625, 0.34375},
      {"12.7", "18", "7.95", "73.1363851359241", 20, 3.975, 8.725},
      {"0.5", "4", "0.3125", "0.707106781186548", 90, 0.15625, 0.34375},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pitch_diameter);
    const auto result = RunSprocket({.pitch = c.pitch, .teeth = c.teeth, .roller = c.roller});
    ASSERT_TRUE(std::holds_alternative<SprocketRun>(result));
    const SprocketRun& run = std::get<SprocketRun>(result);
    EXPECT_EQ(run.pitch_diameter_text, c.pitch_diameter);
    EXPECT_EQ(run.ToothAngle, c.tooth_angle);
    EXPECT_EQ(run.RollerRadius, c.roller_radius);
    EXPECT_EQ(run.FlankRadius, c.flank_radius);
  }
}

}  // namespace
}  // namespace toothwright

namespace toothwright {
namespace {

// The checks hand what they measured to the job: one outline, one cutter path a contour.
TEST(Job, BuildsEachPathOnce) {
  struct Case {
    const char* name;
    FieldTexts fields;
    int cutter_paths;
  };
  const FieldTexts all{.pitch = "0.5",
                       .teeth = "18",
                       .roller = "0.3125",
                       .depth = "0.25",
                       .seat_clearance = "ANSI",
                       .tip_diameter = "ANSI",
                       .tool_diameter = "0.125",
                       .tabs = "4",
                       .tab_width = "0.1",
                       .tab_height = "0.05"};
  const FieldTexts holes{.pitch = "0.5",
                         .teeth = "18",
                         .roller = "0.3125",
                         .tool_diameter = "0.125",
                         .bore = "0.75",
                         .bolt_holes = "4",
                         .bolt_hole_diameter = "0.257",
                         .bolt_circle = "1.75"};
  const FieldTexts clearance{
      .pitch = "0.5", .teeth = "18", .roller = "0.3125", .seat_clearance = "0.002"};
  const Case cases[] = {
      {"plain", kAnsi40EighteenTeeth, 0},
      {"clearance alone", clearance, 0},
      {"tool, tip, clearance and tabs", all, 1},
      {"cutter round a bore and bolt holes", holes, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto job = MakeJob(c.fields);
    ASSERT_TRUE(std::holds_alternative<Job>(job));
    EXPECT_EQ(std::get<Job>(job).outlines_built, 1);
    EXPECT_EQ(std::get<Job>(job).cutter_paths_built, c.cutter_paths);
  }
}

}  // namespace
}  // namespace toothwright
