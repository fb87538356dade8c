// The standard tooth width of the chain rows, and the solid's fields read or refused.
#include "sprocket/solid_fields.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <variant>

#include "sprocket/tooth_width.h"

namespace toothwright {
namespace {

// Products of decimal widths: exact to a few units in the last place.
constexpr double kProductTolerance = 1e-12;
constexpr LengthUnit kIn = LengthUnit::Inch, kMm = LengthUnit::Millimetre;

TEST(ToothWidth, StandardRows) {
  struct Case {
    const char* chain;
    int strands;
    LengthUnit unit;
    std::optional<double> width;
  };
  const Case cases[] = {
      {"ANSI 40", 1, kIn, 0.284625},                                        // 0.93 x 0.3125 - 0.006
      {"ANSI 35", 1, kIn, 0.168375},        {"ANSI 40", 2, kIn, 0.275250},  // 0.90 W - 0.006
      {"ANSI 40", 3, kIn, 0.275250},        {"ANSI 40", 4, kIn, 0.269000},  // 0.88 W - 0.006
      {"ANSI 40", 1, kMm, 0.284625 * 25.4}, {"ANSI 41", 1, kIn, 0.2265},
      {"ISO 08B", 1, kMm, 7.2075},  // 0.93 x 7.75, pitch 12.7 mm
      {"ISO 08B", 2, kMm, 7.0525},  // 0.91 W
      {"ISO 10B", 1, kMm, 9.1675},  // 0.95 x 9.65 above 12.7 mm
      {"ISO 10B", 3, kMm, 8.9745},  // 0.93 W
      {"ISO 05B", 1, kIn, 0.93 * 3 / 25.4}, {"Bike 420", 1, kIn, std::nullopt},
      {"Bicycle", 1, kMm, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.chain) + " x" + std::to_string(c.strands));
    const std::optional<double> width =
        StandardToothWidth(*FindChainSize(c.chain), c.strands, c.unit);
    ASSERT_EQ(width.has_value(), c.width.has_value());
    if (width) {
      EXPECT_NEAR(*width, *c.width, kProductTolerance * *c.width);
    }
  }
  // Every row of a standard has its inner width and, but for ANSI 41, its transverse pitch
  // wider than the widest tooth.
  for (const ChainSize& row : ChainSizeTable) {
    SCOPED_TRACE(row.name);
    if (row.standard == ChainStandard::Other) continue;
    EXPECT_GT(row.inner_width, 0);
    if (std::string(row.name) == "ANSI 41") continue;
    EXPECT_GT(row.transverse_pitch, *StandardToothWidth(row, 1, kIn));
  }
}

TEST(ToothWidth, PlateClearanceDiameter) {
  // ANSI 40, 18 teeth: 0.5 (cot 10 deg - 1) - 0.030 in.
  EXPECT_NEAR(PlateClearanceDiameter(0.5, 18, kIn), 2.305641, 1e-6);
  EXPECT_NEAR(PlateClearanceDiameter(12.7, 18, kMm), 2.305641 * 25.4, 1e-5);
}

// ANSI 40, 18 teeth in inches: seats' circle 1.2834 less the wall 0.05, bore 0.75 with a keyway
// reaching 0.42, four 0.25 holes on a 1.6 circle.
SolidRoom Ansi40Room() {
  return {.chain = FindChainSize("ANSI 40"),
          .unit = kIn,
          .pitch = 0.5,
          .teeth = 18,
          .wall_radius = 1.2334,
          .bore_reach = 0.42,
          .keyway = true,
          .bolt_circle = BoltCircle{.count = 4, .hole_diameter = 0.25, .diameter = 1.6}};
}

TEST(SolidFields, ReadValues) {
  FieldTexts texts{.thickness = " ansi ",
                   .hub_diameter = "1.2",
                   .hub_length = "0.5",
                   .strands = "2",
                   .mesh_tolerance = ""};
  auto read = ReadSolidFields(texts, Ansi40Room());
  ASSERT_TRUE(std::holds_alternative<SolidOptions>(read));
  const SolidOptions options = std::get<SolidOptions>(read);
  EXPECT_NEAR(*options.thickness, 0.27525, kProductTolerance);  // two strands' width
  EXPECT_EQ(options.hub, (Hub{.diameter = 1.2, .length = 0.5}));
  EXPECT_EQ(options.strands, 2);
  EXPECT_EQ(options.transverse_pitch, 0.566);
  EXPECT_EQ(options.mesh_tolerance, kDefaultMeshToleranceInches);

  // Blank is off: the 3-D outputs ask for a thickness themselves.
  SolidRoom room = Ansi40Room();
  read = ReadSolidFields({}, room);
  ASSERT_TRUE(std::holds_alternative<SolidOptions>(read));
  EXPECT_EQ(std::get<SolidOptions>(read), (SolidOptions{.mesh_tolerance = 0.0004}));

  room = Ansi40Room();
  room.unit = kMm;
  room.chain = FindChainSize("ISO 08B");
  room.pitch = 12.7;
  room.wall_radius = 31.33;
  room.bolt_circle.reset();
  read = ReadSolidFields({.thickness = "ANSI", .strands = "3", .mesh_tolerance = "0.02"}, room);
  ASSERT_TRUE(std::holds_alternative<SolidOptions>(read));
  EXPECT_NEAR(*std::get<SolidOptions>(read).thickness, 7.0525, kProductTolerance);
  EXPECT_NEAR(std::get<SolidOptions>(read).transverse_pitch, 13.92, kProductTolerance);
  EXPECT_EQ(std::get<SolidOptions>(read).mesh_tolerance, 0.02);
}

TEST(SolidFields, Refusals) {
  struct Case {
    const char* name;
    FieldTexts texts;
    Field field;
    const char* message;
    const char* reason;  // nullptr: not checked
  };
  const Case cases[] = {
      {"zero thickness",
       {.thickness = "0"},
       Field::Thickness,
       MessageOf(Field::Thickness),
       nullptr},
      {"letters", {.thickness = "abc"}, Field::Thickness, MessageOf(Field::Thickness), nullptr},
      {"infinite", {.thickness = "1e999"}, Field::Thickness, MessageOf(Field::Thickness), nullptr},
      {"beyond every coordinate",
       {.thickness = "1e14"},
       Field::Thickness,
       MessageOf(Field::Thickness),
       nullptr},
      {"thickness first",
       {.thickness = "-1", .strands = "9"},
       Field::Thickness,
       MessageOf(Field::Thickness),
       nullptr},
      {"hub inside the keyway",
       {.thickness = "0.3", .hub_diameter = "0.5", .hub_length = "1"},
       Field::HubDiameter,
       MessageOf(Field::HubDiameter),
       "The hub (0.5 in) must be at least 0.8401 in across to clear the bore with its keyway."},
      // The nearer of the two limits it is past: the bolt holes lie inside the seats.
      {"hub past the seats and the bolt holes",
       {.thickness = "0.3", .hub_diameter = "2.5", .hub_length = "1"},
       Field::HubDiameter,
       MessageOf(Field::HubDiameter),
       "The hub (2.5 in) must be at most 1.3499 in across to clear the bolt holes."},
      {"hub over the bolt holes",
       {.thickness = "0.3", .hub_diameter = "1.35", .hub_length = "1"},
       Field::HubDiameter,
       MessageOf(Field::HubDiameter),
       "The hub (1.35 in) must be at most 1.3499 in across to clear the bolt holes."},
      {"hub length alone",
       {.thickness = "0.3", .hub_length = "1"},
       Field::HubDiameter,
       MessageOf(Field::HubDiameter),
       "A hub needs both a diameter and a length."},
      {"hub diameter alone",
       {.thickness = "0.3", .hub_diameter = "1"},
       Field::HubLength,
       MessageOf(Field::HubLength),
       "A hub needs both a diameter and a length."},
      {"hub length zero",
       {.thickness = "0.3", .hub_diameter = "1", .hub_length = "0"},
       Field::HubLength,
       MessageOf(Field::HubLength),
       nullptr},
      {"nine strands",
       {.thickness = "0.3", .strands = "9"},
       Field::Strands,
       MessageOf(Field::Strands),
       "The strands must be a whole number from 1 to 8."},
      {"half a strand",
       {.thickness = "0.3", .strands = "1.5"},
       Field::Strands,
       MessageOf(Field::Strands),
       nullptr},
      {"rows overlap",
       {.thickness = "0.6", .strands = "2"},
       Field::Strands,
       MessageOf(Field::Strands),
       "The rows of teeth (0.6 in wide) overlap at the chain's transverse pitch (0.566 in): a "
       "thickness of at most 0.5659 in, or 1 strand."},
      {"tolerance zero",
       {.thickness = "0.3", .mesh_tolerance = "0"},
       Field::MeshTolerance,
       MessageOf(Field::MeshTolerance),
       nullptr},
      {"tolerance too fine",
       {.thickness = "0.3", .mesh_tolerance = "1e-9"},
       Field::MeshTolerance,
       MessageOf(Field::MeshTolerance),
       nullptr},
      {"tolerance past the teeth",
       {.thickness = "0.3", .mesh_tolerance = "0.05"},
       Field::MeshTolerance,
       MessageOf(Field::MeshTolerance),
       nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto read = ReadSolidFields(c.texts, Ansi40Room());
    ASSERT_TRUE(std::holds_alternative<FieldError>(read));
    const FieldError& error = std::get<FieldError>(read);
    EXPECT_EQ(error.field, c.field);
    EXPECT_EQ(error.message, c.message);
    if (c.reason) {
      EXPECT_EQ(error.reason, c.reason);
    }
  }
}

TEST(SolidFields, ChainsWithoutTheStandardsSizes) {
  SolidRoom custom = Ansi40Room();
  custom.chain.reset();
  auto read = ReadSolidFields({.thickness = "ANSI"}, custom);
  ASSERT_TRUE(std::holds_alternative<FieldError>(read));
  EXPECT_EQ(std::get<FieldError>(read).message, MessageOf(Field::Thickness));
  read = ReadSolidFields({.thickness = "0.3", .strands = "2"}, custom);
  ASSERT_TRUE(std::holds_alternative<FieldError>(read));
  EXPECT_EQ(std::get<FieldError>(read).message, MessageOf(Field::Strands));

  SolidRoom single_strand = Ansi40Room();
  single_strand.chain = FindChainSize("ANSI 41");
  read = ReadSolidFields({.thickness = "ANSI", .strands = "2"}, single_strand);
  ASSERT_TRUE(std::holds_alternative<FieldError>(read));
  EXPECT_EQ(std::get<FieldError>(read).field, Field::Strands);

  // Six teeth leave no body between the rows round a 0.75 bore.
  SolidRoom few_teeth = Ansi40Room();
  few_teeth.teeth = 6;
  few_teeth.bolt_circle.reset();
  read = ReadSolidFields({.thickness = "ANSI", .strands = "2"}, few_teeth);
  ASSERT_TRUE(std::holds_alternative<FieldError>(read));
  EXPECT_EQ(std::get<FieldError>(read).field, Field::Strands);
}

}  // namespace
}  // namespace toothwright
