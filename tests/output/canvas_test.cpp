// The recording canvas's text form and replay, and the SVG canvas's document.
#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <vector>

#include "output/recording_canvas.h"
#include "output/svg_canvas.h"

namespace toothwright {
namespace {

using Kind = PreviewCall::Kind;

TEST(PreviewCallText, OneLinePerCallWithShortestFloats) {
  struct Case {
    const char* name;
    PreviewCall call;
    const char* line;
  };
  const Case cases[] = {
      {"clear", {.kind = Kind::Clear}, "Clear\n"},
      {"circle",
       {.kind = Kind::DrawCircle, .x = 1897.5f, .y = 1897.5f, .radius = 161.3223f, .colour = 255},
       "DrawCircle 1897.5 1897.5 161.3223 255\n"},
      {"arc",
       {.kind = Kind::DrawArc,
        .x = 3036.3982f,
        .y = 941.8953f,
        .radius = 354.9348f,
        .colour = 255,
        .start = 5.2360454f,
        .end = 5.9925365f},
       "DrawArc 3036.3982 941.8953 354.9348 255 5.2360454 5.9925365\n"},
      {"whole, negative, tiny and large numbers",
       {.kind = Kind::DrawArc,
        .x = 3795,
        .y = -0.5f,
        .radius = 1e-8f,
        .colour = 0xFFFFFF,
        .start = 0,
        .end = 3e38f},
       "DrawArc 3795 -0.5 1e-08 16777215 0 3e+38\n"},
      {"a float that needs nine digits",
       {.kind = Kind::DrawCircle, .x = 0.1f, .y = 16777217.0f, .radius = 1.00000012f, .colour = 0},
       "DrawCircle 0.1 16777216 1.0000001 0\n"},
      {"line",
       {.kind = Kind::DrawLine, .x = 1800.5f, .y = 2, .colour = 255, .x2 = -3, .y2 = 1413.3986f},
       "DrawLine 1800.5 2 -3 1413.3986 255\n"},
      {"dashed line",
       {.kind = Kind::DrawDashedLine, .x = 1, .y = 2.5f, .colour = 0xB27200, .x2 = 3, .y2 = 4},
       "DrawDashedLine 1 2.5 3 4 11694592\n"},
      {"filled circle",
       {.kind = Kind::FillCircle, .x = 10, .y = 20, .radius = 45, .colour = 0x009FE6},
       "FillCircle 10 20 45 40934\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FormatPreviewCalls({c.call}), c.line);
  }
  EXPECT_EQ(FormatPreviewCalls({}), "");
}

TEST(RecordingCanvas, ReplayMakesTheSameCalls) {
  RecordingCanvas first(100, 200);
  EXPECT_EQ(first.OuterWidth(), 100);
  EXPECT_EQ(first.OuterHeight(), 200);
  first.Clear();
  first.DrawCircle(1, 2, 3, 255);
  first.DrawArc(4, 5, 6, 0xFF00, 0.5f, 0.25f);
  first.DrawLine(7, 8, 9, 10, 255);
  first.DrawDashedLine(11, 12, 13, 14, 0xFF);
  first.FillCircle(15, 16, 17, 0xFF00);
  RecordingCanvas second;
  ReplayPreviewCalls(first.calls(), second);
  EXPECT_EQ(second.calls(), first.calls());
  ASSERT_EQ(first.calls().size(), 6u);
  EXPECT_EQ(
      first.calls()[3],
      (PreviewCall{.kind = Kind::DrawLine, .x = 7, .y = 8, .colour = 255, .x2 = 9, .y2 = 10}));
  EXPECT_EQ(first.calls()[2], (PreviewCall{.kind = Kind::DrawArc,
                                           .x = 4,
                                           .y = 5,
                                           .radius = 6,
                                           .colour = 0xFF00,
                                           .start = 0.5f,
                                           .end = 0.25f}));
}

constexpr const char* kStroke =
    "fill=\"none\" stroke-width=\"1\" vector-effect=\"non-scaling-stroke\"";

std::string Shapes(const SvgCanvas& canvas) {
  const std::string doc = canvas.Document();
  const size_t begin = doc.find("/>\n") + 3;  // after the background
  return doc.substr(begin, doc.rfind("</svg>") - begin);
}

TEST(SvgCanvas, DocumentShowsTheInteriorOnWhite) {
  const SvgCanvas canvas;
  EXPECT_EQ(canvas.OuterWidth(), 3795);
  EXPECT_EQ(canvas.OuterHeight(), 3795);
  EXPECT_EQ(canvas.Document(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"2.59375in\" height=\"2.59375in\" "
            "viewBox=\"0 0 3735 3735\">\n"
            "<rect width=\"3735\" height=\"3735\" fill=\"#ffffff\"/>\n"
            "</svg>\n");
  const SvgCanvas wide(2940, 1500, 30);
  EXPECT_NE(wide.Document().find("width=\"2in\" height=\"1in\" viewBox=\"0 0 2880 1440\""),
            std::string::npos);
}

TEST(SvgCanvas, CircleAndColours) {
  struct Case {
    const char* name;
    std::uint32_t colour;
    const char* hex;
  };
  const Case cases[] = {
      {"red in the low byte", 0x0000FF, "#ff0000"},
      {"green", 0x00FF00, "#00ff00"},
      {"blue in the high byte", 0xFF0000, "#0000ff"},
      {"mixed", 0x123456, "#563412"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SvgCanvas canvas;
    canvas.DrawCircle(1897.5f, 10, 161.3223f, c.colour);
    EXPECT_EQ(Shapes(canvas),
              std::string("<circle cx=\"1897.5\" cy=\"10\" r=\"161.3223\" stroke=\"") + c.hex +
                  "\" " + kStroke + "/>\n");
  }
}

std::string ArcShape(float start, float end) {
  SvgCanvas canvas;
  canvas.DrawArc(100, 100, 10, kPreviewRed, start, end);
  return Shapes(canvas);
}

// Angle a is the screen point (x + r cos a, y - r sin a), and arcs run counter-clockwise on
// the screen: SVG's sweep flag 0 in its y-down frame.
TEST(SvgCanvas, ArcEndsOnTheScreen) {
  constexpr float kQuarter = static_cast<float>(std::numbers::pi / 2);
  EXPECT_EQ(ArcShape(0, kQuarter),
            std::string("<path d=\"M110 100 A10 10 0 0 0 100 90\" stroke=\"#ff0000\" ") + kStroke +
                "/>\n");
  EXPECT_EQ(ArcShape(1, 1), "");  // equal ends draw nothing
}

// The large-arc flag is set when the counter-clockwise sweep from start to end, through angle
// 0 when end < start, exceeds half a turn.
TEST(SvgCanvas, LargeArcFlag) {
  struct Case {
    const char* name;
    float start, end;
    const char* radii_and_flags;
  };
  const Case cases[] = {
      {"a small arc", 0.5f, 1.5f, " A10 10 0 0 0 "},
      {"a large arc", 0.5f, 4.5f, " A10 10 0 1 0 "},
      {"a small arc through 0", 5.9f, 0.4f, " A10 10 0 0 0 "},
      {"a large arc through 0", 2.0f, 1.0f, " A10 10 0 1 0 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NE(ArcShape(c.start, c.end).find(c.radii_and_flags), std::string::npos);
  }
}

TEST(SvgCanvas, LineBetweenItsEnds) {
  SvgCanvas canvas;
  canvas.DrawLine(1.5f, 2, 3, 4, kPreviewRed);
  EXPECT_EQ(Shapes(canvas), std::string("<line x1=\"1.5\" y1=\"2\" x2=\"3\" y2=\"4\" "
                                        "stroke=\"#ff0000\" ") +
                                kStroke + "/>\n");
}

TEST(SvgCanvas, DashedLineAndFilledCircle) {
  SvgCanvas canvas;
  canvas.DrawDashedLine(1.5f, 2, 3, 4, kPreviewRed);
  canvas.FillCircle(5, 6, 45, 0x009FE6);
  EXPECT_EQ(Shapes(canvas),
            std::string("<line x1=\"1.5\" y1=\"2\" x2=\"3\" y2=\"4\" stroke=\"#ff0000\" "
                        "stroke-dasharray=\"60\" ") +
                kStroke +
                "/>\n<circle cx=\"5\" cy=\"6\" r=\"45\" fill=\"#e69f00\" stroke=\"#e69f00\" "
                "stroke-width=\"1\" vector-effect=\"non-scaling-stroke\"/>\n");
}

TEST(SvgCanvas, ClearErasesEverythingDrawn) {
  SvgCanvas canvas;
  canvas.DrawCircle(1, 2, 3, kPreviewRed);
  canvas.DrawArc(1, 2, 3, kPreviewRed, 0, 1);
  canvas.Clear();
  EXPECT_EQ(Shapes(canvas), "");
}

}  // namespace
}  // namespace toothwright
