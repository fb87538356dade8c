// The whole run (called as toothwright::Run, since a test class has a Run of its own): the one
// validation message or every result, the preview recorded on the window's picture box, and
// the same picture drawn on another canvas.
#include "output/pipeline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <variant>

#include "output/svg_canvas.h"
#include "output_test_support.h"
#include "support/sprockets.h"

namespace toothwright {
namespace {

TEST(Pipeline, RefusedFieldsGiveTheirMessage) {
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
    const auto result = toothwright::Run(c.fields);
    ASSERT_TRUE(std::holds_alternative<FieldError>(result));
    EXPECT_EQ(std::get<FieldError>(result).message, c.message);
  }
}

TEST(Pipeline, Ansi40EighteenTeethResults) {
  const auto result = toothwright::Run(kAnsi40EighteenTeeth);
  ASSERT_TRUE(std::holds_alternative<RunResults>(result));
  const RunResults& r = std::get<RunResults>(result);
  EXPECT_EQ(r.job.sprocket.pitch_diameter_text, "2.87938524157182");
  EXPECT_EQ(r.job.sprocket.outside_diameter_text, "3.30754316676291");
  EXPECT_EQ(SplitCrLf(r.gcode).size(), 61u);
  EXPECT_TRUE(r.gcode.starts_with(
      "G20\r\nG0 X1.0042  Y0.4714\r\nG42\r\nG0 X1.2748  Y0.6277\r\nG1 Z-0.125 F10\r\n"));
  EXPECT_EQ(SplitCrLf(r.dxf).size(), 764u);
  ASSERT_EQ(r.preview.size(), 56u);  // the stage's own Clear and 55 outline calls
  EXPECT_EQ(r.preview[0].kind, PreviewCall::Kind::Clear);
  EXPECT_EQ(r.preview[1].x, 1897.5f);  // the window's 3795-twip picture box
}

// The window draws through RunStages on its own canvas; the CLI replays Run's recorded calls.
// Both must give the same picture.
TEST(Pipeline, RecordedPreviewReplaysAsDrawnDirectly) {
  const RunResults r = std::get<RunResults>(toothwright::Run(kAnsi40EighteenTeeth));
  SvgCanvas direct;
  const StageTexts texts = RunStages(r.job, direct);
  EXPECT_EQ(texts.gcode, r.gcode);
  EXPECT_EQ(texts.dxf, r.dxf);
  SvgCanvas replayed;
  ReplayPreviewCalls(r.preview, replayed);
  EXPECT_EQ(replayed.Document(), direct.Document());
}

// A feed of blanks is not set, so no line carries an F word without a number.
TEST(Pipeline, BlankFeedWritesNoFeedWord) {
  for (const char* feed : {"  ", " \t "}) {
    SCOPED_TRACE(testing::PrintToString(feed));
    FieldTexts f = kAnsi40EighteenTeeth;
    f.feed = feed;
    EXPECT_EQ(std::get<RunResults>(toothwright::Run(f)).gcode.find(" F"), std::string::npos);
  }
}

// Absurd but accepted sizes still give only numbers in every text.
TEST(Pipeline, NoInfinityOrNotANumberInAnyText) {
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
    const auto result = toothwright::Run(c.fields);
    ASSERT_TRUE(std::holds_alternative<RunResults>(result));
    const RunResults& r = std::get<RunResults>(result);
    for (std::string text : {r.gcode, r.dxf, FormatPreviewCalls(r.preview)}) {
      std::transform(text.begin(), text.end(), text.begin(),
                     [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
      EXPECT_EQ(text.find("inf"), std::string::npos);
      EXPECT_EQ(text.find("nan"), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace toothwright
