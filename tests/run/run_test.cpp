// The whole run (called as toothwright::Run, since a test class has a Run of its own): the one
// validation message or every result, the preview recorded on the window's picture box, and
// the same picture drawn on another canvas.
#include "run/run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <regex>
#include <string>
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

// A ramp that would take more than 200 moves is refused on the ramp angle, never written as a
// plunge, and the least values its reason names (lead-in first, then angle) work.
TEST(RunDesign, RampsWithoutRoomAreRefusedNamingWhatWorks) {
  struct Case {
    FieldTexts fields;
    const char* reason;
  };
  // A short lead-in; tabs on every tooth round seats the cutter's path all but closes.
  const Case cases[] = {
      {{.pitch = "0.5",
        .teeth = "18",
        .roller = "0.3125",
        .depth = "0.275",
        .feed = "30",
        .tool_diameter = "0.125",
        .ramp_angle = "5",
        .lead_in = "0.01"},
       "Going down 0.275 in along a lead-in arc 0.0158 in long takes more than 200 moves at "
       "this angle: a lead-in of at least 0.0103 in or a ramp angle of at least 5.1 degrees "
       "works"},
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
       "Going down 0.2 in between two tabs 0.0159 in apart takes more than 200 moves at this "
       "angle: a ramp angle of at least 3.7 degrees works, or fewer or narrower tabs"},
  };
  const std::regex least(R"(at least ([0-9.]+))");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    const auto refused = RunDesign(c.fields);
    ASSERT_TRUE(std::holds_alternative<FieldError>(refused));
    EXPECT_EQ(std::get<FieldError>(refused).field, Field::RampAngle);
    EXPECT_EQ(std::get<FieldError>(refused).reason, c.reason);
    const std::string reason = c.reason;
    auto named = std::sregex_iterator(reason.begin(), reason.end(), least);
    for (auto field : {&FieldTexts::lead_in, &FieldTexts::ramp_angle}) {
      if (field == &FieldTexts::lead_in && c.fields.lead_in.empty()) continue;
      FieldTexts f = c.fields;
      f.*field = (*named++)[1];
      EXPECT_TRUE(std::holds_alternative<RunResults>(RunDesign(f))) << f.*field;
    }
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
