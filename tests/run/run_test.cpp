// The whole run (called as toothwright::Run, since a test class has a Run of its own): the one
// validation message or every result, the preview recorded on the window's picture box, and
// the same picture drawn on another canvas.
#include "run/run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <regex>
#include <string>
#include <utility>
#include <variant>

#include "output/drawing_svg.h"
#include "output/output_test_support.h"
#include "output/preview.h"
#include "output/svg_canvas.h"
#include "output/toolpath_preview.h"
#include "output/toolpath_svg.h"
#include "support/sprockets.h"

namespace toothwright {
namespace {

TEST(RunDesign, RefusedFieldsGiveTheirMessage) {
  struct Case {
    const char* name;
    FieldTexts fields;
    const char* message;
  };
  const Case cases[] = {
      {"no pitch", {.teeth = "18", .roller = "0.3"}, kPitchMessage},
      {"depth beyond the double range",
       {.pitch = "0.5", .teeth = "18", .roller = "0.3", .depth = "1e999"},
       kDepthMessage},
      {"negative depth beyond the double range",
       {.pitch = "0.5", .teeth = "18", .roller = "0.3", .depth = "-1e999mm"},
       kDepthMessage},
      {"the roller is checked before the depth",
       {.pitch = "0.5", .teeth = "18", .roller = "0", .depth = "1e999"},
       kRollerMessage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto result = RunDesign(c.fields);
    ASSERT_TRUE(std::holds_alternative<FieldError>(result));
    EXPECT_EQ(std::get<FieldError>(result).message, c.message);
  }
}

// ANSI 40, 18 teeth, 0.25 deep, in the unit named, with the texts given over it.
FieldTexts Ansi40(LengthUnit unit,
                  std::initializer_list<std::pair<std::string FieldTexts::*, const char*>> texts) {
  const bool inches = unit == LengthUnit::Inch;
  FieldTexts f{.pitch = inches ? "0.5" : "12.7",
               .teeth = "18",
               .roller = inches ? "0.3125" : "7.9375",
               .units = inches ? "English" : "Metric",
               .depth = inches ? "0.25" : "6.35",
               .chain = "ANSI 40"};
  for (const auto& [field, text] : texts) f.*field = text;
  return f;
}

// Both the window and the command line show a refusal's reason as RunDesign gives it. A reason
// that names a limit writes it as the fields are (four decimals in inches, three in
// millimetres) and names one to type: each value it names after "at least", "at most", "from",
// "to" or "is", typed into the field it belongs to, makes the run go ahead. A ramp that would
// take more than 200 moves is refused on the ramp angle, never written as a plunge.
TEST(RunDesign, ReasonsNameValuesThatWork) {
  using F = FieldTexts;
  const auto in = LengthUnit::Inch;
  const auto mm = LengthUnit::Millimetre;
  // The mounting fields of a window's design, with a tool too wide for its teeth.
  const FieldTexts window_mounting = Ansi40(in, {{&F::tool_diameter, "0.3124"},
                                                 {&F::bore, "1"},
                                                 {&F::keyway_width, "0.25"},
                                                 {&F::keyway_depth, "0.125"},
                                                 {&F::bolt_holes, "4"},
                                                 {&F::bolt_hole_diameter, "0.2"},
                                                 {&F::bolt_circle, "1.6"}});
  // A hub of the diameter given, 1 long, on a part 0.3 thick with the mounting given.
  const auto hub = [](const char* diameter,
                      std::initializer_list<std::pair<std::string F::*, const char*>> mounting) {
    FieldTexts f = Ansi40(in, mounting);
    f.thickness = "0.3";
    f.hub_diameter = diameter;
    f.hub_length = "1";
    return f;
  };
  struct Case {
    FieldTexts fields;
    Field field;
    const char* reason;
    std::string FieldTexts::*retyped;  // where the values named go
    // Where the first value named goes instead, when it belongs to another field.
    std::string FieldTexts::*first_retyped = nullptr;
  };
  const Case cases[] = {
      {Ansi40(in, {{&F::tool_diameter, "0.3124"}}), Field::ToolDiameter,
       "The largest tool that fits is 0.3121 in", &F::tool_diameter},
      {Ansi40(mm, {{&F::tool_diameter, "7.95"}}), Field::ToolDiameter,
       "The largest tool that fits is 7.934 mm", &F::tool_diameter},
      {window_mounting, Field::ToolDiameter,
       "The largest tool that fits the bolt holes is 0.1996 in", &F::tool_diameter},
      {Ansi40(in, {{&F::tool_diameter, "0.3"},
                   {&F::bore, "1"},
                   {&F::keyway_width, "0.25"},
                   {&F::keyway_depth, "0.125"}}),
       Field::ToolDiameter, "The largest tool that fits the keyway is 0.2499 in",
       &F::tool_diameter},
      {Ansi40(in, {{&F::roller, "0.5"}}), Field::Roller,
       "The roller must be smaller than the pitch (0.5 in): at most 0.4999 in", &F::roller},
      {Ansi40(in, {{&F::seat_clearance, "0.1"}}), Field::SeatClearance,
       "The seats (0.5125 in across) must be narrower than the pitch (0.5 in): a clearance of at "
       "most 0.0937 in",
       &F::seat_clearance},
      {Ansi40(in, {{&F::tip_diameter, "2.842"}}), Field::TipDiameter,
       "It leaves a top or a flank too short for the program's decimals: from 2.8422 in to "
       "3.3073 in",
       &F::tip_diameter},
      {Ansi40(mm, {{&F::tip_diameter, "1000"}}), Field::TipDiameter,
       "It must lie between the flanks' feet and the pointed tips: from 72.183 mm to 84.01 mm",
       &F::tip_diameter},
      {Ansi40(in, {{&F::tool_diameter, "0.125"}, {&F::depth_per_pass, "0.001"}}),
       Field::DepthPerPass, "At most 100 passes: the depth per pass must be at least 0.0025 in",
       &F::depth_per_pass},
      {Ansi40(in, {{&F::tabs, "3"}, {&F::tab_width, "0.9"}, {&F::tab_height, "0.05"}}),
       Field::TabWidth,
       "A tab must be shorter than a tooth's stretch between its seats: at most 0.52 in",
       &F::tab_width},
      {Ansi40(in, {{&F::tabs, "3"}, {&F::tab_width, "0.1"}, {&F::tab_height, "0.2499"}}),
       Field::TabHeight, "A tab must be lower than the depth of cut (0.25 in): at most 0.2498 in",
       &F::tab_height},
      {Ansi40(mm, {{&F::bore, "63"}}), Field::Bore,
       "The bore (63 mm) must leave a wall inside the roller seats: at most 62.658 mm", &F::bore},
      {Ansi40(in, {{&F::bore, "0.75"}, {&F::keyway_width, "0.75"}, {&F::keyway_depth, "0.1"}}),
       Field::KeywayWidth, "The keyway must be narrower than the bore (0.75 in): at most 0.7499 in",
       &F::keyway_width},
      {Ansi40(in, {{&F::bore, "2"}, {&F::keyway_width, "0.5"}, {&F::keyway_depth, "0.21"}}),
       Field::KeywayDepth,
       "The keyway must leave a wall inside the roller seats: a depth of at most 0.2078 in",
       &F::keyway_depth},
      {Ansi40(in,
              {{&F::bolt_holes, "4"}, {&F::bolt_hole_diameter, "0.25"}, {&F::bolt_circle, "3"}}),
       Field::BoltCircle,
       "The holes must clear each other and the bore, and leave a wall inside the roller seats: a "
       "bolt circle from 0.3535 in to 2.2168 in",
       &F::bolt_circle},
      {hub("0.5", {{&F::bore, "0.75"}, {&F::keyway_width, "0.1875"}, {&F::keyway_depth, "0.1"}}),
       Field::HubDiameter,
       "The hub (0.5 in) must be at least 0.9684 in across to clear the bore with its keyway.",
       &F::hub_diameter},
      {hub("1.5",
           {{&F::bolt_holes, "4"}, {&F::bolt_hole_diameter, "0.257"}, {&F::bolt_circle, "1.75"}}),
       Field::HubDiameter,
       "The hub (1.5 in) must be at most 1.4929 in across to clear the bolt holes.",
       &F::hub_diameter},
      {Ansi40(in, {{&F::thickness, "0.6"}, {&F::strands, "2"}}), Field::Strands,
       "The rows of teeth (0.6 in wide) overlap at the chain's transverse pitch (0.566 in): a "
       "thickness of at most 0.5659 in, or 1 strand.",
       &F::thickness},
      {Ansi40(in, {{&F::bore, "2.4"}, {&F::thickness, "ANSI"}, {&F::strands, "2"}}), Field::Strands,
       "The bore (2.4 in) must be narrower than the body between the rows: at most 2.3056 in, or "
       "1 strand.",
       &F::bore},
      {Ansi40(mm, {{&F::thickness, "7"}, {&F::mesh_tolerance, "0.00001"}}), Field::MeshTolerance,
       "The mesh tolerance must be from 0.001 mm to 1.269 mm, below a tenth of the pitch.",
       &F::mesh_tolerance},
      // A short lead-in; tabs on every tooth round seats the cutter's path all but closes.
      {Ansi40(in, {{&F::depth, "0.275"},
                   {&F::feed, "30"},
                   {&F::tool_diameter, "0.125"},
                   {&F::ramp_angle, "5"},
                   {&F::lead_in, "0.01"}}),
       Field::RampAngle,
       "Going down 0.275 in along a lead-in arc 0.0158 in long takes more than 200 moves at "
       "this angle: a lead-in of at least 0.0103 in or a ramp angle of at least 5.1 degrees "
       "works",
       &F::ramp_angle, &F::lead_in},
      {{.pitch = "0.25",
        .teeth = "18",
        .roller = "0.13",
        .depth = "0.2",
        .feed = "10",
        .tool_diameter = "0.125",
        .tabs = "18",
        .tab_width = "0.3",
        .tab_height = "0.1",
        .ramp_angle = "1"},
       Field::RampAngle,
       "Going down 0.2 in between two tabs 0.0159 in apart takes more than 200 moves at this "
       "angle: a ramp angle of at least 3.7 degrees works, or fewer or narrower tabs",
       &F::ramp_angle},
  };
  const std::regex length(R"((\d+)(?:\.(\d+))? (in|mm))");
  const std::regex named(R"((?:at least|at most|from|to|is) ([0-9.]+) (?:in|mm|degrees))");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    const auto refused = RunDesign(c.fields);
    ASSERT_TRUE(std::holds_alternative<FieldError>(refused));
    const FieldError& error = std::get<FieldError>(refused);
    EXPECT_EQ(error.field, c.field);
    EXPECT_EQ(error.reason, c.reason);
    const std::string reason = c.reason;
    for (auto m = std::sregex_iterator(reason.begin(), reason.end(), length);
         m != std::sregex_iterator(); ++m) {
      EXPECT_EQ((*m)[3], c.fields.units == "English" ? "in" : "mm");
      EXPECT_LE((*m)[2].length(), c.fields.units == "English" ? 4 : 3);
    }
    int values = 0;
    for (auto m = std::sregex_iterator(reason.begin(), reason.end(), named);
         m != std::sregex_iterator(); ++m, ++values) {
      FieldTexts f = c.fields;
      std::string FieldTexts::*retyped =
          values == 0 && c.first_retyped ? c.first_retyped : c.retyped;
      f.*retyped = (*m)[1];
      const auto run = RunDesign(f);
      EXPECT_TRUE(std::holds_alternative<RunResults>(run))
          << f.*retyped << ": " << std::get<FieldError>(run).reason;
    }
    EXPECT_GT(values, 0);
  }
}

TEST(RunDesign, Ansi40EighteenTeethResults) {
  const auto result = RunDesign(kAnsi40EighteenTeeth);
  ASSERT_TRUE(std::holds_alternative<RunResults>(result));
  const RunResults& r = std::get<RunResults>(result);
  EXPECT_EQ(r.job.sprocket.pitch_diameter_text, "2.87938524157182");
  EXPECT_EQ(r.job.sprocket.outside_diameter_text, "3.30754316676291");
  EXPECT_EQ(SplitCrLf(r.gcode).size(), 63u);
  EXPECT_TRUE(r.gcode.starts_with(
      "G20\r\nG0 Z2.00\r\nG0 X1.0042  Y0.4714\r\nG42\r\nG0 X1.2748  Y0.6277\r\n"));
  EXPECT_EQ(SplitCrLf(r.dxf).size(), 764u);
  ASSERT_EQ(r.preview.size(), 56u);  // the stage's own Clear and 55 outline calls
  EXPECT_EQ(r.preview[0].kind, PreviewCall::Kind::Clear);
  EXPECT_EQ(r.preview[1].x, 1897.5f);  // the window's 3795-twip picture box
  // The plunge comes down from the retract height.
  EXPECT_EQ(r.cut_length, "19.3395 in");
  EXPECT_EQ(r.cut_time, "1 min 56 s");
}

// The recorded pictures replay as drawn directly, and each document is its writer's.
TEST(RunDesign, ProductsAreTheirWritersOutputs) {
  const RunResults r = std::get<RunResults>(RunDesign(kAnsi40EighteenTeeth));
  SvgCanvas direct;
  DrawPreview(r.job, direct);
  EXPECT_EQ(r.preview_svg, direct.Document());
  DrawToolpath(r.job, direct);
  SvgCanvas replayed;
  ReplayPreviewCalls(r.preview, replayed);
  ReplayPreviewCalls(r.toolpath, replayed);
  EXPECT_EQ(replayed.Document(), direct.Document());
  EXPECT_EQ(r.preview_ops, FormatPreviewCalls(r.preview));
  EXPECT_EQ(r.drawing_svg, WriteDrawingSvg(r.job));
  EXPECT_EQ(r.toolpath_svg, WriteToolpathSvg(r.job));
}

// A product left out is empty; the others are made all the same.
TEST(RunDesign, ProductsLeftOutAreEmpty) {
  const RunResults r =
      std::get<RunResults>(RunDesign(kAnsi40EighteenTeeth, {.drawing_svg = false,
                                                            .preview_svg = false,
                                                            .preview_ops = false,
                                                            .toolpath = false,
                                                            .toolpath_svg = false}));
  const RunResults all = std::get<RunResults>(RunDesign(kAnsi40EighteenTeeth));
  for (const std::string* text :
       {&r.drawing_svg, &r.preview_svg, &r.preview_ops, &r.toolpath_svg}) {
    EXPECT_EQ(*text, "");
  }
  EXPECT_TRUE(r.toolpath.empty());
  EXPECT_EQ(r.gcode, all.gcode);
  EXPECT_EQ(r.dxf, all.dxf);
  EXPECT_EQ(r.preview, all.preview);
  EXPECT_EQ(r.cut_length + r.cut_time, all.cut_length + all.cut_time);
}

// A feed of blanks is not set, so no line carries an F word without a number.
TEST(RunDesign, BlankFeedWritesNoFeedWord) {
  for (const char* feed : {"  ", " \t "}) {
    SCOPED_TRACE(testing::PrintToString(feed));
    FieldTexts f = kAnsi40EighteenTeeth;
    f.feed = feed;
    EXPECT_EQ(std::get<RunResults>(RunDesign(f)).gcode.find(" F"), std::string::npos);
  }
}

// Absurd but accepted sizes still give only numbers in every text.
TEST(RunDesign, NoInfinityOrNotANumberInAnyText) {
  struct Case {
    const char* name;
    FieldTexts fields;
  };
  const Case cases[] = {
      {"huge pitch",
       {.pitch = "1e13", .teeth = "4", .roller = "6e12", .depth = "999999999999999", .feed = "1"}},
      {"tiny pitch", {.pitch = "0.001", .teeth = "6", .roller = "0.0005", .depth = "0.0001"}},
      {"most teeth", {.pitch = "0.5", .teeth = "10000", .roller = "0.3125", .depth = "-0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto result = RunDesign(c.fields);
    ASSERT_TRUE(std::holds_alternative<RunResults>(result));
    const RunResults& r = std::get<RunResults>(result);
    for (std::string text : {r.gcode, r.dxf, r.preview_ops, r.drawing_svg, r.toolpath_svg}) {
      std::transform(text.begin(), text.end(), text.begin(),
                     [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
      EXPECT_EQ(text.find("inf"), std::string::npos);
      EXPECT_EQ(text.find("nan"), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace toothwright
