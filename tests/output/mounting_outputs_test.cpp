// The mounting in the outputs: the DXF drawing read back by an independent reader as closed
// loops, the SVG drawing parsed as XML at the part's true size, and the holes in the preview.
#include <dl_creationadapter.h>
#include <dl_dxf.h>
#include <expat.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <sstream>
#include <variant>

#include "output/drawing_svg.h"
#include "run/run.h"
#include "support/sprockets.h"

namespace toothwright {
namespace {

// ANSI 40, 18 teeth with a bore, a keyway and four bolt holes.
const FieldTexts kMounted{.pitch = "0.5",
                          .teeth = "18",
                          .roller = "0.3125",
                          .bore = "0.75",
                          .keyway_width = "0.1875",
                          .keyway_depth = "0.09375",
                          .bolt_holes = "4",
                          .bolt_hole_diameter = "0.25",
                          .bolt_circle = "1.5"};

RunResults RunOf(const FieldTexts& fields) {
  return std::get<RunResults>(RunDesign(fields));
}

std::string DrawingOf(const FieldTexts& fields) {
  const SprocketRun s = std::get<SprocketRun>(RunSprocket(fields));
  return WriteDrawingSvg(s.outline, s.holes, UnitOf(fields.units));
}

// The two ends of every entity as the reader gives them.
class EndCollector : public DL_CreationAdapter {
 public:
  void addArc(const DL_ArcData& a) override {
    const auto at = [&a](double degrees) {
      const double t = degrees * std::numbers::pi / 180;
      return Point{a.cx + a.radius * std::cos(t), a.cy + a.radius * std::sin(t)};
    };
    ends.push_back(at(a.angle1));
    ends.push_back(at(a.angle2));
  }
  void addLine(const DL_LineData& l) override {
    ends.push_back({l.x1, l.y1});
    ends.push_back({l.x2, l.y2});
    ++lines;
  }
  std::vector<Point> ends;  // entity k's ends at 2k and 2k + 1
  int lines = 0;
};

TEST(MountingOutputs, DxfHoldsEachContourAsAClosedLoop) {
  std::stringstream file(RunOf(kMounted).dxf + "\r\n");  // as "Save DXF File" writes it
  EndCollector c;
  ASSERT_TRUE(DL_Dxf().in(file, &c));
  ASSERT_EQ(c.ends.size(), 2u * (54 + 4 * 2 + 2 + 3));  // outline, bolt holes, bore, keyway
  EXPECT_EQ(c.lines, 3);
  // Loops by labels: every end meets exactly one end of another entity (within the rounding
  // of points to 1e-4), and the entities that meet share a label.
  std::vector<size_t> label(c.ends.size() / 2);
  for (size_t k = 0; k < label.size(); ++k) label[k] = k;
  for (size_t i = 0; i < c.ends.size(); ++i) {
    int meetings = 0;
    for (size_t j = 0; j < c.ends.size(); ++j) {
      if (i / 2 == j / 2 ||
          std::hypot(c.ends[i].x - c.ends[j].x, c.ends[i].y - c.ends[j].y) > 1e-3) {
        continue;
      }
      ++meetings;
      const size_t from = label[j / 2], to = label[i / 2];  // copies: replace changes them
      std::replace(label.begin(), label.end(), from, to);
    }
    EXPECT_EQ(meetings, 1) << "end " << i;
  }
  std::sort(label.begin(), label.end());
  EXPECT_EQ(std::unique(label.begin(), label.end()) - label.begin(), 6);
}

// The attributes of the svg element, and the number of arcs and lines in its paths.
struct SvgSeen {
  std::map<std::string, std::string> svg;
  int paths = 0, arcs = 0, lines = 0;
};

void OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
  auto& seen = *static_cast<SvgSeen*>(data);
  for (int k = 0; attributes[k]; k += 2) {
    const std::string value = attributes[k + 1];
    if (std::string(name) == "svg") seen.svg[attributes[k]] = value;
    if (std::string(name) == "path" && std::string(attributes[k]) == "d") {
      ++seen.paths;
      seen.arcs += static_cast<int>(std::count(value.begin(), value.end(), 'A'));
      seen.lines += static_cast<int>(std::count(value.begin(), value.end(), 'L'));
    }
  }
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

TEST(MountingOutputs, SvgDrawingIsThePartAtTrueSize) {
  // The outline's tips reach x = +-1.6287 and y = +-1.6538.
  const SvgSeen inches = ParseSvg(DrawingOf(kMounted));
  EXPECT_EQ(inches.svg.at("width"), "3.2574in");
  EXPECT_EQ(inches.svg.at("height"), "3.3076in");
  EXPECT_EQ(inches.svg.at("viewBox"), "-1.6287 -1.6538 3.2574 3.3076");
  EXPECT_EQ(inches.paths, 6);
  EXPECT_EQ(inches.arcs, 64);
  EXPECT_EQ(inches.lines, 3);
  // Without holes, in millimetres: the outline alone.
  const SvgSeen mm =
      ParseSvg(DrawingOf({.pitch = "12.7", .teeth = "18", .roller = "7.9375", .units = "Metric"}));
  EXPECT_EQ(mm.svg.at("width"), "82.7344mm");
  EXPECT_EQ(mm.paths, 1);
}

TEST(MountingOutputs, PreviewDrawsTheHolesToScaleAndTheBoreReplacesTheCentreCircle) {
  using Kind = PreviewCall::Kind;
  const auto count = [](const RunResults& r, Kind kind) {
    return std::count_if(r.preview.begin(), r.preview.end(),
                         [kind](const PreviewCall& c) { return c.kind == kind; });
  };
  const RunResults r = RunOf(kMounted);
  EXPECT_EQ(count(r, Kind::DrawCircle), 0);
  EXPECT_EQ(count(r, Kind::DrawArc), 64);
  EXPECT_EQ(count(r, Kind::DrawLine), 3);
  // The last call is the bore's second arc, at the bore's radius on the picture's scale.
  EXPECT_FLOAT_EQ(r.preview.back().radius, 0.375 * kPictureOuterSize * 0.9 / 3.30754316676291);
}

}  // namespace
}  // namespace toothwright
