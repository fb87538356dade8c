// The mounting in the outputs: the DXF drawing read back by an independent reader as closed
// loops, the SVG drawing parsed as XML at the part's true size, and the holes in the preview.
#include <dl_creationadapter.h>
#include <dl_dxf.h>
#include <expat.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <numbers>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "output/pipeline.h"
#include "sprocket/numbers.h"

namespace toothwright {
namespace {

// ANSI 40, 18 teeth with a bore, a keyway and four bolt holes, in inches or millimetres.
FieldTexts Mounted(bool metric) {
  FieldTexts f{.pitch = "0.5",
               .teeth = "18",
               .roller = "0.3125",
               .bore = "0.75",
               .keyway_width = "0.1875",
               .keyway_depth = "0.09375",
               .bolt_holes = "4",
               .bolt_hole_diameter = "0.25",
               .bolt_circle = "1.5"};
  if (metric) {
    f.units = "Metric";
    for (std::string* length : {&f.pitch, &f.roller, &f.bore, &f.keyway_width, &f.keyway_depth,
                                &f.bolt_hole_diameter, &f.bolt_circle}) {
      *length = FormatReal(*ParseReal(*length) * 25.4);
    }
  }
  return f;
}

RunResults RunOf(const FieldTexts& fields) {
  auto result = toothwright::Run(fields);
  EXPECT_TRUE(std::holds_alternative<RunResults>(result));
  return std::holds_alternative<RunResults>(result) ? std::get<RunResults>(std::move(result))
                                                    : RunResults{};
}

using Ends = std::array<Point, 2>;

// The two ends of every entity as the reader gives them.
class EndCollector : public DL_CreationAdapter {
 public:
  void addArc(const DL_ArcData& a) override {
    const auto at = [&a](double degrees) {
      const double radians = degrees * std::numbers::pi / 180;
      return Point{a.cx + a.radius * std::cos(radians), a.cy + a.radius * std::sin(radians)};
    };
    ends.push_back({at(a.angle1), at(a.angle2)});
    ++arcs;
  }
  void addLine(const DL_LineData& l) override {
    ends.push_back({Point{l.x1, l.y1}, Point{l.x2, l.y2}});
    ++lines;
  }
  std::vector<Ends> ends;
  int arcs = 0, lines = 0;
};

// Ends of neighbouring entities meet within the four-decimal rounding of points and radii.
constexpr double kJoin = 1e-3;

bool Meet(Point a, Point b) {
  return std::hypot(a.x - b.x, a.y - b.y) < kJoin;
}

// The entities gathered into groups that meet end to end; a group is a closed loop when each
// of its ends meets exactly one end of another entity of the group.
int ClosedLoops(const std::vector<Ends>& ends, int& groups) {
  std::vector<bool> taken(ends.size());
  int closed = 0;
  groups = 0;
  for (size_t first = 0; first < ends.size(); ++first) {
    if (taken[first]) continue;
    std::vector<size_t> members{first};
    taken[first] = true;
    for (size_t k = 0; k < members.size(); ++k) {
      for (size_t j = 0; j < ends.size(); ++j) {
        const Ends& m = ends[members[k]];
        const bool touch = Meet(m[0], ends[j][0]) || Meet(m[0], ends[j][1]) ||
                           Meet(m[1], ends[j][0]) || Meet(m[1], ends[j][1]);
        if (!taken[j] && touch) {
          taken[j] = true;
          members.push_back(j);
        }
      }
    }
    bool loop = true;
    for (size_t m : members) {
      for (Point p : ends[m]) {
        int meetings = 0;
        for (size_t o : members) {
          if (o != m) meetings += Meet(p, ends[o][0]) + Meet(p, ends[o][1]);
        }
        loop = loop && meetings == 1;
      }
    }
    ++groups;
    closed += loop;
  }
  return closed;
}

TEST(MountingOutputs, DxfHoldsEachContourAsAClosedLoop) {
  for (bool metric : {false, true}) {
    SCOPED_TRACE(metric ? "Metric" : "English");
    std::stringstream file(RunOf(Mounted(metric)).dxf + "\r\n");  // as "Save DXF File" writes it
    EndCollector collector;
    DL_Dxf reader;
    ASSERT_TRUE(reader.in(file, &collector));
    EXPECT_EQ(collector.arcs, 54 + 4 * 2 + 2);  // outline, bolt holes, bore beside the keyway
    EXPECT_EQ(collector.lines, 3);              // the keyway's sides and far side
    int groups = 0;
    EXPECT_EQ(ClosedLoops(collector.ends, groups), 6);
    EXPECT_EQ(groups, 6);
  }
}

// The attributes of the svg element and the d of every path, as an XML parser reads them.
struct SvgSeen {
  std::map<std::string, std::string> svg;
  std::vector<std::string> paths;
};

void OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
  auto& seen = *static_cast<SvgSeen*>(data);
  for (int k = 0; attributes[k]; k += 2) {
    if (std::string(name) == "svg") seen.svg[attributes[k]] = attributes[k + 1];
    if (std::string(name) == "path" && std::string(attributes[k]) == "d") {
      seen.paths.push_back(attributes[k + 1]);
    }
  }
}

SvgSeen ParseSvg(const std::string& text) {
  SvgSeen seen;
  XML_Parser parser = XML_ParserCreate(nullptr);
  XML_SetUserData(parser, &seen);
  XML_SetStartElementHandler(parser, OnStart);
  const bool parsed =
      XML_Parse(parser, text.data(), static_cast<int>(text.size()), 1) == XML_STATUS_OK;
  EXPECT_TRUE(parsed) << XML_ErrorString(XML_GetErrorCode(parser));
  XML_ParserFree(parser);
  return seen;
}

size_t Count(const std::string& text, const std::string& what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
    ++count;
  }
  return count;
}

TEST(MountingOutputs, SvgDrawingIsThePartAtTrueSize) {
  // The outline's tips reach x = +-1.6287 and y from -1.6538 to 1.6538.
  const SvgSeen inches = ParseSvg(RunOf(Mounted(false)).svg);
  EXPECT_EQ(inches.svg.at("width"), "3.2574in");
  EXPECT_EQ(inches.svg.at("height"), "3.3076in");
  EXPECT_EQ(inches.svg.at("viewBox"), "-1.6287 -1.6538 3.2574 3.3076");
  ASSERT_EQ(inches.paths.size(), 6u);
  size_t arcs = 0, lines = 0;
  for (const std::string& d : inches.paths) {
    arcs += Count(d, " A");
    lines += Count(d, " L");
  }
  EXPECT_EQ(arcs, 64u);
  EXPECT_EQ(lines, 3u);
  // In millimetres: the same extent 25.4 times over, within the rounding of the inch drawing's
  // points (1e-4 in, about 0.003 mm, on each side).
  const SvgSeen mm = ParseSvg(RunOf(Mounted(true)).svg);
  const std::string& width = mm.svg.at("width");
  ASSERT_TRUE(width.ends_with("mm"));
  EXPECT_NEAR(*ParseReal(width.substr(0, width.size() - 2)), 3.2574 * 25.4, 0.01);
  // Without holes the drawing is the outline alone.
  const RunResults plain = RunOf({.pitch = "0.5", .teeth = "18", .roller = "0.3125"});
  EXPECT_EQ(ParseSvg(plain.svg).paths.size(), 1u);
}

TEST(MountingOutputs, PreviewDrawsTheHolesToScaleAndTheBoreReplacesTheCentreCircle) {
  using Kind = PreviewCall::Kind;
  const auto count = [](const std::vector<PreviewCall>& calls, Kind kind) {
    return std::count_if(calls.begin(), calls.end(),
                         [kind](const PreviewCall& c) { return c.kind == kind; });
  };
  const RunResults r = RunOf(Mounted(false));
  EXPECT_EQ(count(r.preview, Kind::DrawCircle), 0);
  EXPECT_EQ(count(r.preview, Kind::DrawArc), 64);
  EXPECT_EQ(count(r.preview, Kind::DrawLine), 3);
  // The last call is the bore's second arc, at the bore's radius on the picture's scale.
  const double scale = kPictureOuterSize * 0.9 / 3.30754316676291;
  EXPECT_FLOAT_EQ(r.preview.back().radius, static_cast<float>(0.375 * scale));
  // Bolt holes alone keep the centre circle.
  FieldTexts bolts_only = Mounted(false);
  bolts_only.bore.clear();
  bolts_only.keyway_width.clear();
  bolts_only.keyway_depth.clear();
  const RunResults b = RunOf(bolts_only);
  EXPECT_EQ(count(b.preview, Kind::DrawCircle), 1);
  EXPECT_EQ(count(b.preview, Kind::DrawArc), 54 + 8);
}

}  // namespace
}  // namespace toothwright
