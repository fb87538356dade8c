// The solid's volume against the outline's area worked out here from the path, and its mesh
// read back from the STL bytes: closed, consistently turned, and of the same volume.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <map>
#include <numbers>
#include <optional>
#include <string>
#include <utility>
#include <variant>

#include "numbers/numbers.h"
#include "numbers/units.h"
#include "solid/mesh.h"
#include "solid/solid_model.h"
#include "solid/writers.h"
#include "sprocket/run.h"
#include "sprocket/solid_fields.h"
#include "support/ansi40_18_teeth.h"
#include "support/sprockets.h"

namespace toothwright {
namespace {

constexpr double kPi = std::numbers::pi;
// The exact solid's volume against area times thickness: only the kernel's integration errs.
constexpr double kExactVolumeShare = 1e-3;
// A mesh's volume against the exact solid's, and sums of volumes built apart.
constexpr double kMeshVolumeShare = 5e-3;
// How far a tooth of the solid may lie from the outline's: the solid's teeth are copies of one
// unrounded tooth, the outline's are rounded to four decimals each.
constexpr double kToothOffset = 1.5e-4;

// Signed area of a closed path: the polygon through its points (shoelace) plus, for each arc,
// the circular segment between its chord and the arc, positive counter-clockwise.
double Area(const Path& path) {
  double area = 0;
  for (const Segment& s : path.segments) {
    area += (s.start.x * s.end.y - s.end.x * s.start.y) / 2;
    if (!IsArc(s)) continue;
    const double a0 = std::atan2(s.start.y - s.centre.y, s.start.x - s.centre.x);
    const double a1 = std::atan2(s.end.y - s.centre.y, s.end.x - s.centre.x);
    double sweep = std::remainder(a1 - a0, 2 * kPi);
    if (s.kind == SegmentKind::CounterClockwiseArc && sweep <= 0) sweep += 2 * kPi;
    if (s.kind == SegmentKind::ClockwiseArc && sweep >= 0) sweep -= 2 * kPi;
    area += s.radius * s.radius / 2 * (sweep - std::sin(sweep));
  }
  return area;
}

double FaceArea(const SprocketRun& run) {
  double area = Area(run.outline);
  for (const Path& hole : run.holes) area += Area(hole);  // clockwise: negative
  return area;
}

SprocketRun Sprocket(const FieldTexts& fields) {
  auto run = RunSprocket(fields);
  EXPECT_TRUE(std::holds_alternative<SprocketRun>(run));
  return std::get<SprocketRun>(std::move(run));
}

// The ANSI 40 width for one strand, 0.93 x 0.3125 - 0.006 in.
constexpr double kAnsi40Thickness = 0.284625;

// Radius of the circle through the seats' innermost points.
double SeatCircle(const SprocketRun& run) {
  return run.pitch_diameter / 2 - run.SeatRadius;
}

SolidPart PartOf(const SprocketRun& run, double thickness) {
  const double pitch = 0.5;
  return SolidPart{
      .outline = run.outline,
      .holes = run.holes,
      .tooth = UnroundedTooth(run, 1),
      .thickness = thickness,
      .pitch = pitch,
      .transverse_pitch = 0.566,
      .web_radius = WebRadius(pitch, run.N, WallRadius(run.pitch_diameter, run.SeatRadius, pitch),
                              LengthUnit::Inch),
      .mesh_tolerance = kDefaultMeshToleranceInches};
}

TriangleMesh Mesh(const SolidModel& model) {
  auto mesh = MeshSolid(model);
  if (auto* error = std::get_if<SolidError>(&mesh)) ADD_FAILURE() << error->reason;
  return std::get<TriangleMesh>(std::move(mesh));
}

SolidModel Build(const SolidPart& part) {
  auto model = BuildSolid(part);
  if (auto* error = std::get_if<SolidError>(&model)) ADD_FAILURE() << error->reason;
  return std::get<SolidModel>(std::move(model));
}

// A binary STL read back: its corners by value, joined where they are equal.
struct StlMesh {
  std::vector<std::array<float, 3>> corners;  // three per triangle
  bool read = false;
};

StlMesh ReadStl(const std::string& bytes) {
  StlMesh mesh;
  if (bytes.size() < 84) return mesh;
  std::uint32_t count = 0;
  for (int i = 3; i >= 0; --i) count = count << 8 | static_cast<unsigned char>(bytes[80 + i]);
  if (bytes.size() != 84 + 50 * size_t{count}) return mesh;
  for (std::uint32_t t = 0; t < count; ++t) {
    const char* facet = bytes.data() + 84 + 50 * size_t{t};
    for (int k = 0; k < 3; ++k) {
      std::array<float, 3> corner;
      std::memcpy(corner.data(), facet + 12 + 12 * k, 12);  // little-endian host
      mesh.corners.push_back(corner);
    }
  }
  mesh.read = true;
  return mesh;
}

// Whether every edge is run along once in each direction by exactly two triangles.
bool ClosedAndConsistent(const StlMesh& mesh) {
  std::map<std::pair<std::array<float, 3>, std::array<float, 3>>, int> runs;
  for (size_t t = 0; t < mesh.corners.size(); t += 3) {
    for (int k = 0; k < 3; ++k) ++runs[{mesh.corners[t + k], mesh.corners[t + (k + 1) % 3]}];
  }
  for (const auto& [edge, count] : runs) {
    if (count != 1) return false;
    const auto back = runs.find({edge.second, edge.first});
    if (back == runs.end() || back->second != 1) return false;
  }
  return true;
}

// Volume enclosed by the triangles, from the tetrahedra they span with the origin.
double MeshVolume(const StlMesh& mesh) {
  double volume = 0;
  for (size_t t = 0; t < mesh.corners.size(); t += 3) {
    const auto &a = mesh.corners[t], &b = mesh.corners[t + 1], &c = mesh.corners[t + 2];
    volume += (double{a[0]} * (double{b[1]} * c[2] - double{b[2]} * c[1]) -
               double{a[1]} * (double{b[0]} * c[2] - double{b[2]} * c[0]) +
               double{a[2]} * (double{b[0]} * c[1] - double{b[1]} * c[0])) /
              6;
  }
  return volume;
}

TEST(Solid, PlainVolumeIsAreaTimesThicknessAndTheStlEnclosesIt) {
  struct Case {
    const char* name;
    FieldTexts fields;
  };
  FieldTexts plain{.pitch = "0.5", .teeth = "18", .roller = "0.3125"};
  FieldTexts few{.pitch = "0.5", .teeth = "5", .roller = "0.3125"};
  FieldTexts many{.pitch = "12.7", .teeth = "120", .roller = "8.51", .units = "Metric"};
  const Case cases[] = {{"ANSI 40 with holes", kAnsi40Mounted},
                        {"pointed teeth, no holes", plain},
                        {"five teeth", few},
                        {"120 teeth in millimetres", many}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SprocketRun run = Sprocket(c.fields);
    SolidPart part = PartOf(run, kAnsi40Thickness);
    part.unit = UnitOf(c.fields.units);
    if (part.unit == LengthUnit::Millimetre) {
      part.pitch = 12.7;
      part.mesh_tolerance = kDefaultMeshToleranceMillimetres;
    }
    const double area = FaceArea(run);
    const SolidModel model = Build(part);
    EXPECT_NEAR(Volume(model), area * part.thickness, kExactVolumeShare * area * part.thickness);

    const StlMesh stl = ReadStl(WriteStl(Mesh(model)));
    ASSERT_TRUE(stl.read);
    EXPECT_TRUE(ClosedAndConsistent(stl));
    const double to_mm = part.unit == LengthUnit::Millimetre ? 1 : kMillimetresPerInch;
    const double exact_mm3 = Volume(model) * to_mm * to_mm * to_mm;
    EXPECT_NEAR(MeshVolume(stl), exact_mm3, kMeshVolumeShare * exact_mm3);
  }
}

// Distance of the farthest outline point from the centre.
double TipRadius(const SprocketRun& run) {
  double most = 0;
  for (const Segment& s : run.outline.segments) most = std::max(most, std::hypot(s.end.x, s.end.y));
  return most;
}

TEST(Solid, ChamferNarrowsTheTipByTheStandardsShareAndLeavesTheSeatsFullWidth) {
  struct Case {
    const char* name;
    FieldTexts fields;
    double share;
  };
  FieldTexts pointed{.pitch = "0.5", .teeth = "18", .roller = "0.3125"};
  FieldTexts short_teeth{.pitch = "0.5", .teeth = "6", .roller = "0.3125"};
  const Case cases[] = {{"ANSI 40 topped, with holes", kAnsi40Mounted, 0.125},
                        {"pointed teeth, ISO share", pointed, 0.13},
                        {"six teeth", short_teeth, 0.125}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SprocketRun run = Sprocket(c.fields);
    SolidPart part = PartOf(run, kAnsi40Thickness);
    const double full = Volume(Build(part));
    part.chamfer = true;
    part.chamfer_share = c.share;
    const SolidModel model = Build(part);
    EXPECT_LT(Volume(model), full);

    const TriangleMesh mesh = Mesh(model);
    const StlMesh stl = ReadStl(WriteStl(mesh));
    EXPECT_TRUE(ClosedAndConsistent(stl));
    // The tooth's width at the tip circle and below the seats, from the mesh's corners.
    // Corners on the seats' arcs near their innermost points.
    const double tip = TipRadius(run);
    const double seats = SeatCircle(run) + 0.02 * part.pitch;
    double tip_low = part.thickness, tip_high = 0, seat_low = part.thickness, seat_high = 0;
    for (const auto& v : mesh.vertices) {
      const double r = std::hypot(v[0], v[1]);
      if (r >= tip - kToothOffset) {
        tip_low = std::min(tip_low, v[2]);
        tip_high = std::max(tip_high, v[2]);
      } else if (r <= seats) {
        seat_low = std::min(seat_low, v[2]);
        seat_high = std::max(seat_high, v[2]);
      }
    }
    const double chamfer = c.share * part.pitch;
    EXPECT_NEAR(tip_low, chamfer, 0.1 * chamfer);
    EXPECT_NEAR(part.thickness - tip_high, chamfer, 0.1 * chamfer);
    EXPECT_EQ(seat_low, 0);
    EXPECT_NEAR(seat_high, part.thickness, 1e-9);
  }
}

TEST(Solid, HubAndRowsAddTheirOwnVolume) {
  const SprocketRun run = Sprocket(kAnsi40Mounted);
  const SolidPart plain = PartOf(run, kAnsi40Thickness);
  const double one = Volume(Build(plain));
  // The bore with its keyway, which runs through the hub and the body between rows alike.
  const double bore_area = -Area(run.holes.back());
  double holes_area = 0;
  for (const Path& hole : run.holes) holes_area -= Area(hole);

  SolidPart hub = plain;
  hub.hub = Hub{.diameter = 1.1, .length = 0.4};
  const double hub_volume = (kPi * 0.55 * 0.55 - bore_area) * 0.4;
  EXPECT_NEAR(Volume(Build(hub)) - one, hub_volume, kMeshVolumeShare * hub_volume);

  for (int strands : {2, 3}) {
    SCOPED_TRACE(strands);
    SolidPart rows = plain;
    rows.strands = strands;
    const double web = rows.web_radius;
    const double gap = rows.transverse_pitch - rows.thickness;
    const double web_volume = (strands - 1) * (kPi * web * web - holes_area) * gap;
    const SolidModel model = Build(rows);
    EXPECT_NEAR(Volume(model) - strands * one, web_volume, kMeshVolumeShare * web_volume);
    // Two rows 0.566 apart: the extent along the axis is the rows' span.
    const TriangleMesh mesh = Mesh(model);
    double top = 0;
    for (const auto& v : mesh.vertices) top = std::max(top, v[2]);
    EXPECT_NEAR(top, (strands - 1) * 0.566 + kAnsi40Thickness, 1e-9);
  }

  SolidPart everything = plain;
  everything.strands = 2;
  everything.hub = hub.hub;
  everything.chamfer = true;
  const SolidModel model = Build(everything);
  EXPECT_TRUE(ClosedAndConsistent(ReadStl(WriteStl(Mesh(model)))));
}

TEST(Solid, FilesStateTheirUnitAndRepeatByteForByte) {
  struct Case {
    const char* name;
    FieldTexts fields;
    LengthUnit unit;
    const char* step_unit;    // the STEP file's length unit
    const char* first_point;  // the outline's first point as the STEP file writes it
  };
  const Case cases[] = {
      {"inches",
       {.pitch = "0.5", .teeth = "18", .roller = "0.3125"},
       LengthUnit::Inch,
       "CONVERSION_BASED_UNIT('INCH'",
       "(1.2748,0.6277,0.)"},
      {"millimetres",
       {.pitch = "12.7", .teeth = "18", .roller = "7.9375", .units = "Metric"},
       LengthUnit::Millimetre,
       "SI_UNIT(.MILLI.,.METRE.)",
       "(32.3785,15.9441,0.)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const bool millimetres = c.unit == LengthUnit::Millimetre;
    SolidPart part = PartOf(Sprocket(c.fields), millimetres ? 7 : kAnsi40Thickness);
    part.unit = c.unit;
    if (millimetres) {
      part.pitch = 12.7;
      part.mesh_tolerance = kDefaultMeshToleranceMillimetres;
    }
    const SolidModel model = Build(part);
    const auto step = WriteStep(model);
    ASSERT_TRUE(std::holds_alternative<std::string>(step));
    const std::string& text = std::get<std::string>(step);
    EXPECT_NE(text.find("FILE_SCHEMA(('AUTOMOTIVE_DESIGN"), std::string::npos);
    EXPECT_NE(text.find(c.step_unit), std::string::npos);
    // Coordinates as the outline has them, not scaled into another unit.
    EXPECT_NE(text.find(c.first_point), std::string::npos);
    // The same again: the kernel's settings from the last file change nothing.
    EXPECT_TRUE(std::get<std::string>(WriteStep(model)) == text);

    const TriangleMesh mesh = Mesh(model);
    const std::string stl = WriteStl(mesh);
    EXPECT_NE(stl.substr(0, 5), "solid");  // readers take that for the text form
    EXPECT_TRUE(WriteStl(Mesh(model)) == stl);
    const auto package = Write3mf(mesh);
    ASSERT_TRUE(std::holds_alternative<std::string>(package));
    EXPECT_EQ(std::get<std::string>(package).substr(0, 4), std::string("PK\x03\x04", 4));
    EXPECT_TRUE(std::get<std::string>(Write3mf(mesh)) == std::get<std::string>(package));
  }
}

// Built from copies of one unrounded tooth, every tooth of the solid still lies on the outline:
// each corner of the outline (tips, top ends, the seats' ends) is a corner of the solid, within
// the outline's rounding, and the volume is that of the whole face's construction.
TEST(Solid, SectorsGiveOneSolidWithEveryToothOnTheOutline) {
  struct Case {
    const char* name;
    FieldTexts fields;
    bool chamfer;
    std::optional<Hub> hub;
    int strands;
    bool against_whole_face;  // also built the old way, for the volume (slow with many teeth)
  };
  FieldTexts pointed{.pitch = "0.5", .teeth = "24", .roller = "0.3125"};
  FieldTexts few{.pitch = "0.5", .teeth = "6", .roller = "0.3125"};
  FieldTexts many = kAnsi40Mounted;
  many.teeth = "90";
  const Hub hub{.diameter = 1.1, .length = 0.4};
  const Case cases[] = {
      {"ANSI 40 topped, chamfered", kAnsi40Mounted, true, std::nullopt, 1, true},
      {"pointed, chamfered", pointed, true, std::nullopt, 1, false},
      {"six teeth, chamfered", few, true, std::nullopt, 1, true},
      {"90 teeth, chamfered", many, true, std::nullopt, 1, false},
      {"hub and two rows, chamfered", kAnsi40Mounted, true, hub, 2, false},
      {"hub and two rows, plain", kAnsi40Mounted, false, hub, 2, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SprocketRun run = Sprocket(c.fields);
    SolidPart part = PartOf(run, kAnsi40Thickness);
    part.chamfer = c.chamfer;
    part.hub = c.hub;
    part.strands = c.strands;
    const SolidModel model = Build(part);
    const TriangleMesh mesh = Mesh(model);
    double worst = 0;
    for (const Segment& s : run.outline.segments) {
      double nearest = std::numeric_limits<double>::infinity();
      for (const auto& v : mesh.vertices) {
        nearest = std::min(nearest, std::hypot(v[0] - s.start.x, v[1] - s.start.y));
      }
      worst = std::max(worst, nearest);
    }
    EXPECT_LT(worst, kToothOffset);
    if (c.against_whole_face) {
      SolidPart whole = part;
      whole.tooth = {};
      const double expected = Volume(Build(whole));
      EXPECT_NEAR(Volume(model), expected, kExactVolumeShare * expected);
    }
  }
}

TEST(Solid, RefusesWhatCannotBeOneSolid) {
  const SprocketRun run = Sprocket(kAnsi40Mounted);
  SolidPart thin = PartOf(run, 0.1);  // below the two chamfers of 0.0625
  thin.chamfer = true;
  EXPECT_TRUE(std::holds_alternative<SolidError>(BuildSolid(thin)));
  SolidPart apart = PartOf(run, kAnsi40Thickness);
  apart.strands = 2;
  apart.web_radius = 0.3;  // inside the bore: the rows would not be joined
  EXPECT_TRUE(std::holds_alternative<SolidError>(BuildSolid(apart)));
}

}  // namespace
}  // namespace toothwright
