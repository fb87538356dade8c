// The toolpath picture of a machined sprocket, walked on the job's moves: contours, entries and
// tabs found in them, the SVG to scale, the same path over the preview, and the
// document as renderers open it.
#include <expat.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "../cli/temp_dir.h"
#include "numbers/numbers.h"
#include "output/preview.h"
#include "output/toolpath_contours.h"
#include "output/toolpath_preview.h"
#include "output/toolpath_style.h"
#include "output/toolpath_svg.h"
#include "run/run.h"
#include "support/ansi40_18_teeth.h"
#include "support/program_moves.h"

namespace toothwright {
namespace {

const FieldTexts& kMachined = kAnsi40Machined;
constexpr double kToolRadius = 0.0625;

struct Picture {
  RunResults run;
  std::vector<ContourCut> contours;
};

Picture PictureOf(const FieldTexts& fields) {
  Picture p{std::get<RunResults>(RunDesign(fields)), {}};
  p.contours = FindContours(p.run.job.moves);
  return p;
}

// The moves of a program as the job would hold them, read back from its text.
std::vector<Move> MovesOf(const char* program) {
  return JobMoves(std::get<ProgramMoves>(ReadProgramMoves(program)));
}

TEST(ProgramContours, MachinedSprocketHasSixContoursFourPassesAndFourTabs) {
  const Picture p = PictureOf(kMachined);
  ASSERT_EQ(p.contours.size(), 6u);  // 4 bolt holes, the bore, the outline
  for (size_t k = 0; k < p.contours.size(); ++k) {
    SCOPED_TRACE(k);
    const ContourCut& c = p.contours[k];
    const Move& entry = p.run.job.moves[c.entry];
    EXPECT_EQ(entry.kind, MoveKind::Line);
    EXPECT_EQ(entry.z_to, -0.0625);  // the first pass's plunge
    ASSERT_TRUE(c.first_across.has_value());
    EXPECT_EQ(*c.first_across, c.entry + 1);
    EXPECT_EQ(c.depth, -0.25);
    const Move& deepest = p.run.job.moves[c.deepest];
    EXPECT_EQ(deepest.z_from, -0.1875);
    EXPECT_EQ(deepest.z_to, -0.25);
    EXPECT_EQ(c.tabs.size(), k == 5 ? 4u : 0u);  // tabs hold the part, on the outline only
    for (const TabCrossing& tab : c.tabs) {
      EXPECT_EQ(p.run.job.moves[tab.rise].z_to, -0.2);
      EXPECT_EQ(p.run.job.moves[tab.fall].z_to, -0.25);
    }
  }
}

// A ramp down in two helical pieces starts the deepest pass; coming back down after a tab on
// an earlier pass does not.
TEST(ProgramContours, RampsStartPassesAndTabsDoNot) {
  const std::vector<Move> program = MovesOf(
      "G0 X1 Y0 Z1\nG1 Z-1 F5\n"                              // moves 0, 1: first pass
      "G3 X-1 Y0 I-1 J0\nG1 Z-0.5\nG3 X1 Y0 I1 J0\nG1 Z-1\n"  // 2 to 5: a tab on the first pass
      "G3 X-1 Y0 Z-1.5 I-1 J0\nG3 X1 Y0 Z-2 I1 J0\n"          // 6, 7: the ramp
      "G3 X-1 Y0 I-1 J0\nG1 Z-1.8\nG3 X1 Y0 I1 J0\nG1 Z-2\n"  // 8 to 11: a tab
      "G0 Z1\n");
  const std::vector<ContourCut> contours = FindContours(program);
  ASSERT_EQ(contours.size(), 1u);
  const ContourCut& c = contours[0];
  EXPECT_EQ(c.first, 1u);
  EXPECT_EQ(c.last, 12u);
  EXPECT_EQ(c.entry, 1u);
  EXPECT_EQ(c.first_across, 2u);
  EXPECT_EQ(c.deepest, 6u);
  EXPECT_EQ(c.depth, -2);
  EXPECT_EQ(c.tabs, (std::vector<TabCrossing>{{9, 11}}));
}

// Passes entered again at the same point after a retract, as a writer may cut them, are one
// contour; the next contour starts elsewhere.
TEST(ProgramContours, PassesAfterARetractAreOneContour) {
  const std::vector<Move> program = MovesOf(
      "G0 X1 Y0 Z1\nG1 Z-1 F5\nG3 X1 Y0 I-1 J0\nG0 Z1\n"     // moves 0 to 3: the first pass
      "G0 X1 Y0\nG0 Z0.1\nG1 Z-2\nG3 X1 Y0 I-1 J0\nG0 Z1\n"  // 4 to 8: the second
      "G0 X5 Y0\nG1 Z-1\nG2 X5 Y0 I-1 J0\nG0 Z1\n");         // 9 to 12: another contour
  const std::vector<ContourCut> contours = FindContours(program);
  ASSERT_EQ(contours.size(), 2u);
  EXPECT_EQ(contours[0].first, 1u);
  EXPECT_EQ(contours[0].last, 8u);
  EXPECT_EQ(contours[0].entry, 1u);
  EXPECT_EQ(contours[0].deepest, 6u);
  EXPECT_EQ(contours[0].depth, -2);
  EXPECT_EQ(contours[1].first, 10u);
  EXPECT_EQ(contours[1].first_across, 11u);
}

// What the toolpath SVG holds: its size and the points of each class of element.
struct SvgSeen {
  std::string width, height;
  std::vector<std::vector<Point>> toolpaths;  // each path's points: M, L and A ends
  int entries = 0, tabs = 0, rapids = 0, texts = 0;
};

std::vector<Point> PathPoints(const std::string& d) {
  std::vector<Point> points;
  std::istringstream in(d);
  std::string token;
  std::vector<double> numbers;
  auto flush = [&] {
    if (numbers.size() >= 2) points.push_back({numbers[numbers.size() - 2], numbers.back()});
    numbers.clear();
  };
  for (char c; in >> c;) {
    if (c == 'M' || c == 'L' || c == 'A') {
      flush();
      continue;
    }
    in.putback(c);
    double value = 0;
    in >> value;
    numbers.push_back(value);
  }
  flush();
  return points;
}

void OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
  auto& seen = *static_cast<SvgSeen*>(data);
  std::string cls, d;
  for (int k = 0; attributes[k]; k += 2) {
    const std::string key = attributes[k];
    if (key == "class") cls = attributes[k + 1];
    if (key == "d") d = attributes[k + 1];
    if (std::string(name) == "svg" && key == "width") seen.width = attributes[k + 1];
    if (std::string(name) == "svg" && key == "height") seen.height = attributes[k + 1];
  }
  if (cls == "toolpath") seen.toolpaths.push_back(PathPoints(d));
  seen.entries += cls == "entry";
  seen.tabs += cls == "tab";
  seen.rapids += cls == "rapid";
  seen.texts += std::string(name) == "text";
}

SvgSeen ParseSvg(const std::string& text) {
  SvgSeen seen;
  XML_Parser parser = XML_ParserCreate(nullptr);
  XML_SetUserData(parser, &seen);
  XML_SetStartElementHandler(parser, OnStart);
  EXPECT_EQ(XML_Parse(parser, text.data(), static_cast<int>(text.size()), 1), XML_STATUS_OK);
  XML_ParserFree(parser);
  return seen;
}

// Distance from p to the nearest point of path, worked out here from the segments alone.
double DistanceToPath(Point p, const Path& path) {
  double nearest = INFINITY;
  for (const Segment& s : path.segments) {
    const double to_ends = std::min(std::hypot(p.x - s.start.x, p.y - s.start.y),
                                    std::hypot(p.x - s.end.x, p.y - s.end.y));
    nearest = std::min(nearest, to_ends);
    if (s.kind == SegmentKind::Line) {
      const double dx = s.end.x - s.start.x, dy = s.end.y - s.start.y;
      const double t = ((p.x - s.start.x) * dx + (p.y - s.start.y) * dy) / (dx * dx + dy * dy);
      if (t > 0 && t < 1) {
        nearest = std::min(nearest, std::hypot(p.x - s.start.x - t * dx, p.y - s.start.y - t * dy));
      }
      continue;
    }
    // Within the arc's sweep, the distance from its circle.
    auto angle = [&](Point q) { return std::atan2(q.y - s.centre.y, q.x - s.centre.x); };
    auto turn = [&](double from, double to) {
      double t = s.kind == SegmentKind::CounterClockwiseArc ? to - from : from - to;
      while (t < 0) t += 2 * std::numbers::pi;
      return t;
    };
    const double a0 = angle(s.start);
    if (turn(a0, angle(p)) <= turn(a0, angle(s.end))) {
      nearest =
          std::min(nearest, std::fabs(std::hypot(p.x - s.centre.x, p.y - s.centre.y) - s.radius));
    }
  }
  return nearest;
}

TEST(ToolpathSvg, SixPathsEntriesAndFourTabsOneToolRadiusFromTheirContours) {
  const Picture p = PictureOf(kMachined);
  const SvgSeen seen = ParseSvg(WriteToolpathSvg(p.run.job));
  ASSERT_EQ(seen.toolpaths.size(), 6u);
  EXPECT_EQ(seen.entries, 6);
  EXPECT_EQ(seen.tabs, 4);
  EXPECT_EQ(seen.rapids, 5);  // from each contour to the next
  EXPECT_EQ(seen.texts, 0);   // no caption: the path is the cutter centre's
  // One pixel of the preview: 15 twips at its scale, the outside diameter over 90 % of 3795.
  const double D = p.run.job.sprocket.outside_diameter;
  const double pixel = 15 / (kPictureOuterSize * 0.9 / D);
  std::vector<Path> contours = p.run.job.sprocket.holes;  // cut in this order, the outline last
  contours.push_back(p.run.job.sprocket.outline);
  for (size_t k = 0; k < contours.size(); ++k) {
    SCOPED_TRACE(k);
    EXPECT_GT(seen.toolpaths[k].size(), 2u);
    for (Point point : seen.toolpaths[k]) {
      ASSERT_NEAR(DistanceToPath(point, contours[k]), kToolRadius, pixel)
          << point.x << " " << point.y;
    }
  }
}

TEST(ToolpathSvg, CompensatedProgramIsDrawnAsWrittenWithACaption) {
  FieldTexts fields = kAnsi40EighteenTeeth;  // G42, no cutter path computed
  const Picture p = PictureOf(fields);
  const std::string doc = WriteToolpathSvg(p.run.job);
  const SvgSeen seen = ParseSvg(doc);
  ASSERT_EQ(seen.toolpaths.size(), 1u);
  EXPECT_EQ(seen.texts, 1);
  EXPECT_NE(doc.find(kCompensationCaption), std::string::npos);
  for (Point point : seen.toolpaths[0]) {
    EXPECT_NEAR(DistanceToPath(point, p.run.job.sprocket.outline), 0, 1e-9);
  }
}

// The path over the preview is placed as the part is: the compensated program follows the
// outline itself, so every arc of the path lies on one of the part's arcs as drawn.
TEST(ToolpathPreview, PathLiesOnThePartAsDrawn) {
  FieldTexts fields = kAnsi40EighteenTeeth;
  fields.bore = "0.75";
  fields.bolt_holes = "4";
  fields.bolt_hole_diameter = "0.257";
  fields.bolt_circle = "1.75";
  const Picture p = PictureOf(fields);
  const double D = p.run.job.sprocket.outside_diameter;
  RecordingCanvas canvas;
  DrawPreview(p.run.job.sprocket.outline, p.run.job.sprocket.holes, true, D, canvas);
  const std::vector<PreviewCall> part = canvas.calls();
  EXPECT_EQ(part, p.run.preview);  // drawing the path leaves the picture of the part alone
  DrawToolpath(p.run.job, canvas);
  const std::vector<PreviewCall> all = canvas.calls();
  // Half a twip: the part's flanks are drawn with tooth 1's radius, and the program's arcs
  // about centres that keep both their written radii alike.
  constexpr float kSameRadius = 0.5f;
  int arcs = 0, dots = 0, dashes = 0;
  for (size_t k = part.size(); k < all.size(); ++k) {
    const PreviewCall& call = all[k];
    dots += call.kind == PreviewCall::Kind::FillCircle;
    dashes += call.kind == PreviewCall::Kind::DrawDashedLine;
    if (call.kind != PreviewCall::Kind::DrawArc || call.colour != kToolpathBlue) continue;
    ++arcs;
    bool on_part = false;
    for (const PreviewCall& drawn : part) {
      on_part |= drawn.kind == PreviewCall::Kind::DrawArc &&
                 std::fabs(drawn.x - call.x) < kSameRadius &&
                 std::fabs(drawn.y - call.y) < kSameRadius &&
                 std::fabs(drawn.radius - call.radius) < kSameRadius;
    }
    EXPECT_TRUE(on_part) << FormatPreviewCalls({call});
  }
  EXPECT_EQ(arcs, 3 * 18 + 4 * 2 + 2);  // the teeth, each bolt hole and the bore in halves
  EXPECT_EQ(dots, 6);
  // To each lead-in point, on to the contour's start and on to its exit point; the first
  // lead-in point is where the program first stands.
  EXPECT_EQ(dashes, 17);
}

bool Have(const char* program) {
  return std::system((std::string("command -v ") + program + " > /dev/null 2>&1").c_str()) == 0;
}

// The width and height in pixels that ImageMagick's identify reports for file.
std::pair<int, int> PixelSize(const std::string& file) {
  const std::string command = "identify -format '%w %h' '" + file + "' > '" + file + ".size'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  std::pair<int, int> size{0, 0};
  std::ifstream(file + ".size") >> size.first >> size.second;
  return size;
}

// A browser's renderer (librsvg) and ImageMagick both open the document at the part's true
// size, 96 pixels to the inch, each rounding a part of a pixel its own way.
TEST(ToolpathSvg, RenderersOpenItAtTrueSize) {
  if (!Have("rsvg-convert") || !Have("identify")) {
    GTEST_SKIP() << "rsvg-convert (librsvg2-bin) or ImageMagick is not installed";
  }
  const Picture p = PictureOf(kMachined);
  const std::string doc = WriteToolpathSvg(p.run.job);
  const SvgSeen seen = ParseSvg(doc);
  const double width = std::stod(seen.width) * 96, height = std::stod(seen.height) * 96;
  const TempDir dir;
  std::ofstream(dir / "t.svg") << doc;
  struct Renderer {
    std::string command, png;
  };
  const Renderer renderers[] = {
      {"rsvg-convert -o '" + (dir / "r.png") + "' '" + (dir / "t.svg") + "'", dir / "r.png"},
      {"convert -density 96 '" + (dir / "t.svg") + "' '" + (dir / "m.png") + "'", dir / "m.png"}};
  for (const Renderer& r : renderers) {
    SCOPED_TRACE(r.command);
    ASSERT_EQ(std::system(r.command.c_str()), 0);
    const auto [w, h] = PixelSize(r.png);
    EXPECT_LT(std::fabs(w - width), 1);
    EXPECT_LT(std::fabs(h - height), 1);
  }
}

}  // namespace
}  // namespace toothwright
