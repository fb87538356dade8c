// Chain-size texts in both units, and unit switching of the length fields.
#include "sprocket/chain_sizes.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "numbers/units.h"

namespace toothwright {
namespace {

TEST(ChainSizes, TextsUnderBothUnits) {
  struct Case {
    const char *name, *english_pitch, *english_roller, *metric_pitch, *metric_roller;
  };
  const Case cases[] = {
      {"ANSI 25", "0.25", "0.13", "6.35", "3.302"},
      {"ANSI 35", "0.375", "0.2", "9.525", "5.08"},
      {"ANSI 40", "0.5", "0.3125", "12.7", "7.9375"},
      {"ANSI 41", "0.5", "0.306", "12.7", "7.7724"},
      {"ANSI 50", "0.625", "0.4", "15.875", "10.16"},
      {"ANSI 60", "0.75", "0.46875", "19.05", "11.90625"},
      {"ANSI 80", "1", "0.625", "25.4", "15.875"},
      {"ANSI 100", "1.25", "0.75", "31.75", "19.05"},
      {"ANSI 120", "1.5", "0.875", "38.1", "22.225"},
      {"ANSI 140", "1.75", "1", "44.45", "25.4"},
      {"ANSI 160", "2", "1.125", "50.8", "28.575"},
      {"ANSI 180", "2.25", "1.40625", "57.15", "35.71875"},
      {"ANSI 200", "2.5", "1.5625", "63.5", "39.6875"},
      {"ANSI 240", "3", "1.875", "76.2", "47.625"},
      {"Bicycle", "0.5", "0.3125", "12.7", "7.9375"},
      {"Bike 420", "0.5", "0.3125", "12.7", "7.9375"},
      {"Bike 425", "0.5", "0.3125", "12.7", "7.9375"},
      {"Bike 428", "0.5", "0.335", "12.7", "8.509"},
      {"Bike 520", "0.625", "0.4", "15.875", "10.16"},
      {"Bike 525", "0.625", "0.4", "15.875", "10.16"},
      {"Bike 530", "0.625", "0.4", "15.875", "10.16"},
      {"Bike 630", "0.75", "0.46875", "19.05", "11.90625"},
      {"ISO 05B", "0.31496062992126", "0.196850393700787", "8", "5"},
      {"ISO 06B", "0.375", "0.25", "9.525", "6.35"},
      {"ISO 08B", "0.5", "0.33503937007874", "12.7", "8.51"},
      {"ISO 10B", "0.625", "0.4", "15.875", "10.16"},
      {"ISO 12B", "0.75", "0.475196850393701", "19.05", "12.07"},
      {"ISO 16B", "1", "0.625196850393701", "25.4", "15.88"},
      {"ISO 20B", "1.25", "0.75", "31.75", "19.05"},
      {"ISO 24B", "1.5", "1", "38.1", "25.4"},
      {"ISO 28B", "1.75", "1.1", "44.45", "27.94"},
      {"ISO 32B", "2", "1.15", "50.8", "29.21"},
      {"ISO 40B", "2.5", "1.55", "63.5", "39.37"},
      {"ISO 48B", "3", "1.9", "76.2", "48.26"},
  };
  ASSERT_EQ(std::size(cases), ChainSizeTable.size());
  for (size_t i = 0; i < ChainSizeTable.size(); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.name);
    EXPECT_STREQ(ChainSizeTable[i].name, c.name);  // table order is the list order
    const std::optional<ChainSize> row = FindChainSize(c.name);
    ASSERT_TRUE(row);
    const LengthTexts english = SetChainSize(row->pitch, row->roller, LengthUnit::Inch);
    EXPECT_EQ(english.pitch, c.english_pitch);
    EXPECT_EQ(english.roller, c.english_roller);
    const LengthTexts metric = SetChainSize(row->pitch, row->roller, LengthUnit::Millimetre);
    EXPECT_EQ(metric.pitch, c.metric_pitch);
    EXPECT_EQ(metric.roller, c.metric_roller);
    // Table values survive a switch to the other unit and back.
    EXPECT_EQ(ConvertLengthText(c.metric_roller, LengthUnit::Inch), c.english_roller);
    EXPECT_EQ(ConvertLengthText(c.english_pitch, LengthUnit::Millimetre), c.metric_pitch);
  }
}

TEST(ChainSizes, LookupIsExact) {
  EXPECT_FALSE(FindChainSize("ansi 40"));
  EXPECT_FALSE(FindChainSize(""));
  EXPECT_FALSE(FindChainSize("ANSI 40 "));
}

// A reason's lengths as the fields hold them, and its limits rounded to what works: a least
// value up, a most value down, past a limit the check leaves out.
TEST(Units, LengthsAndLimitsInReasons) {
  constexpr LengthUnit kIn = LengthUnit::Inch, kMm = LengthUnit::Millimetre;
  struct Case {
    double value;
    LengthUnit unit;
    std::string nearest, at_least, above, at_most, below;
  };
  const Case cases[] = {
      {0.95616421706734, kIn, "0.9562 in", "0.9562 in", "0.9562 in", "0.9561 in", "0.9561 in"},
      {24.28651, kMm, "24.287 mm", "24.287 mm", "24.287 mm", "24.286 mm", "24.286 mm"},
      {1.5, kIn, "1.5 in", "1.5 in", "1.5001 in", "1.5 in", "1.4999 in"},
      {1.5, kMm, "1.5 mm", "1.5 mm", "1.501 mm", "1.5 mm", "1.499 mm"},
      // 0.1 + 0.2 lies a binary hair above 0.3, which a check for at least it leaves out.
      {0.1 + 0.2, kIn, "0.3 in", "0.3001 in", "0.3001 in", "0.3 in", "0.3 in"},
      {0.0001 / 25.4, kIn, "0 in", "0.0001 in", "0.0001 in", "0 in", "0 in"},
      {-0.00001, kIn, "0 in", "0 in", "0 in", "-0.0001 in", "-0.0001 in"},
      // Beyond the decimals a double holds: written whole, named as it is.
      {1e20, kMm, "1" + std::string(20, '0') + " mm", "", "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.nearest);
    EXPECT_EQ(LengthText(c.value, c.unit), c.nearest);
    if (c.at_least.empty()) {
      EXPECT_EQ(ShownBound(c.value, c.unit, Bound::AtLeast), c.value);
      continue;
    }
    EXPECT_EQ(BoundText(c.value, c.unit, Bound::AtLeast), c.at_least);
    EXPECT_EQ(BoundText(c.value, c.unit, Bound::Above), c.above);
    EXPECT_EQ(BoundText(c.value, c.unit, Bound::AtMost), c.at_most);
    EXPECT_EQ(BoundText(c.value, c.unit, Bound::Below), c.below);
  }
}

TEST(Units, ConvertLengthText) {
  constexpr LengthUnit kInch = LengthUnit::Inch, kMillimetre = LengthUnit::Millimetre;
  struct Case {
    const char* text;
    LengthUnit to;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"2", kMillimetre, "50.8"},
      {"50.8", kInch, "2"},
      {"12.7", kInch, "0.5"},
      {"7.9375", kInch, "0.3125"},
      {"", kMillimetre, std::nullopt},
      {"12 mm", kInch, std::nullopt},
      {"1e308", kMillimetre, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ConvertLengthText(c.text, c.to), c.expected);
  }
}

}  // namespace
}  // namespace toothwright
