// The DXF drawing read back with an independent DXF reader (dxflib): every entity is an arc on
// layer 0 with the centre, radius and angles written, and nothing else is in the drawing.
#include <dl_creationadapter.h>
#include <dl_dxf.h>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "geometry/segment.h"
#include "numbers/numbers.h"
#include "output/dxf.h"
#include "output_test_support.h"
#include "support/ansi40_18_teeth.h"

namespace toothwright {
namespace {

// Collects what the reader reports.
class Collector : public DL_CreationAdapter {
 public:
  void addArc(const DL_ArcData& arc) override {
    arcs.push_back(arc);
    layers.push_back(getAttributes().getLayer());
  }
  void addLine(const DL_LineData&) override { ++others; }
  void addCircle(const DL_CircleData&) override { ++others; }
  void addPoint(const DL_PointData&) override { ++others; }
  void addPolyline(const DL_PolylineData&) override { ++others; }

  std::vector<DL_ArcData> arcs;
  std::vector<std::string> layers;
  int others = 0;
};

TEST(DxfReadBack, AnIndependentReaderSeesTheArcsAsWritten) {
  struct Case {
    const char *name, *pitch, *teeth, *roller;
  };
  const Case cases[] = {
      {"ANSI 40, 18 teeth", "0.5", "18", "0.3125"},
      {"ANSI 25, 4 teeth", "0.25", "4", "0.13"},
      {"metric ANSI 60, 45 teeth", "19.05", "45", "11.90625"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SprocketRun s = MakeSprocket(c.pitch, c.teeth, c.roller);
    std::stringstream file(WriteDxf(s.outline) + "\r\n");  // as "Save DXF File" writes it
    Collector collector;
    DL_Dxf reader;
    ASSERT_TRUE(reader.in(file, &collector));
    EXPECT_EQ(collector.others, 0);
    ASSERT_EQ(collector.arcs.size(), 3 * static_cast<size_t>(s.N));
    const ToothProfile& p = s.profile;
    for (size_t k = 0; k < collector.arcs.size(); ++k) {
      SCOPED_TRACE(k);
      const DL_ArcData& arc = collector.arcs[k];
      EXPECT_EQ(collector.layers[k], "0");
      // Arcs 0 and 2 of tooth i turn about the next roller, arc 1 about roller i.
      const int tooth = static_cast<int>(k / 3) + 1;
      const int roller = k % 3 == 1 ? tooth : (tooth == s.N ? 1 : tooth + 1);
      EXPECT_EQ(arc.cx, p.RollerX[static_cast<size_t>(roller)]);
      EXPECT_EQ(arc.cy, p.RollerY[static_cast<size_t>(roller)]);
      EXPECT_EQ(arc.cz, 0);
      EXPECT_EQ(arc.radius, ParseReal(FormatReal(k % 3 == 2 ? s.RollerRadius : s.FlankRadius)));
      EXPECT_GE(arc.angle1, 0);
      EXPECT_LT(arc.angle1, 360);
      EXPECT_GE(arc.angle2, 0);
      EXPECT_LT(arc.angle2, 360);
    }
  }
}

// Reads what the drawing's options add: the header's variables and the polylines.
class PolylineCollector : public DL_CreationAdapter {
 public:
  void setVariableInt(const std::string& name, int value, int) override { ints[name] = value; }
  void addArc(const DL_ArcData&) override { ++arcs; }
  void addPolyline(const DL_PolylineData& data) override {
    closed.push_back((data.flags & 1) != 0);
    vertices.emplace_back();
  }
  void addVertex(const DL_VertexData& v) override { vertices.back().push_back(v); }

  std::map<std::string, int> ints;
  int arcs = 0;
  std::vector<bool> closed;
  std::vector<std::vector<DL_VertexData>> vertices;
};

TEST(DxfReadBack, UnitsAndPolylinesAsWritten) {
  struct Case {
    const char* name;
    LengthUnit unit;
    bool units, polyline;
    int insunits, measurement;  // -1: not in the header
  };
  const Case cases[] = {
      {"inch units", LengthUnit::Inch, true, false, 1, 0},
      {"millimetre units", LengthUnit::Millimetre, true, false, 4, 1},
      {"polylines without units", LengthUnit::Inch, false, true, -1, -1},
      {"millimetre polylines", LengthUnit::Millimetre, true, true, 4, 1},
  };
  const SprocketRun s = std::get<SprocketRun>(RunSprocket(kAnsi40Bored));
  const std::vector<const Path*> loops = {&s.holes[0], &s.outline};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::stringstream file(
        WriteDxf(s.outline, s.holes, {.units = c.units, .unit = c.unit, .polyline = c.polyline}));
    PolylineCollector got;
    DL_Dxf reader;
    ASSERT_TRUE(reader.in(file, &got));
    EXPECT_EQ(got.ints.contains("$INSUNITS") ? got.ints["$INSUNITS"] : -1, c.insunits);
    EXPECT_EQ(got.ints.contains("$MEASUREMENT") ? got.ints["$MEASUREMENT"] : -1, c.measurement);
    if (!c.polyline) {
      EXPECT_EQ(got.arcs, 4 * 18 + 2);  // topped teeth; the bore's two arcs
      continue;
    }
    EXPECT_EQ(got.arcs, 0);
    ASSERT_EQ(got.vertices.size(), loops.size());
    for (size_t k = 0; k < loops.size(); ++k) {
      EXPECT_TRUE(got.closed[k]);
      const std::vector<Segment>& segments = loops[k]->segments;
      ASSERT_EQ(got.vertices[k].size(), segments.size());
      for (size_t j = 0; j < segments.size(); ++j) {
        const Segment& seg = segments[j];
        const DL_VertexData& v = got.vertices[k][j];
        EXPECT_EQ(v.x, seg.start.x);
        EXPECT_EQ(v.y, seg.start.y);
        const double sweep = SegmentLength(seg) / seg.radius;
        const double bulge = !IsArc(seg)                             ? 0
                             : seg.kind == SegmentKind::ClockwiseArc ? -std::tan(sweep / 4)
                                                                     : std::tan(sweep / 4);
        EXPECT_EQ(v.bulge, ParseReal(FormatReal(bulge)));
      }
    }
  }
}

}  // namespace
}  // namespace toothwright
