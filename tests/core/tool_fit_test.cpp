// The largest tool whose path keeps every shrinking arc written with a radius: the seats of
// several chains in both units, a bore smaller than the seats, and the reason's text.
#include "sprocket/tool_fit.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "numbers/units.h"
#include "sprocket/run.h"
#include "support/sprockets.h"

namespace toothwright {
namespace {

TEST(ToolFit, LargestToolPerChainAndUnit) {
  struct Case {
    const char *name, *pitch, *roller, *teeth, *units, *bore;
    double largest;
  };
  // Inches: twice (seat radius - 0.0002); millimetres: twice (seat radius - 0.0015).
  const Case cases[] = {
      {"ANSI 40, 18 teeth", "0.5", "0.3125", "18", "English", "", 0.3121},
      {"ANSI 25, 9 teeth", "0.25", "0.13", "9", "English", "", 0.1296},
      {"ISO 08B, 50 teeth, metric", "12.7", "8.51", "50", "Metric", "", 8.507},
      {"a bore smaller than the seats", "0.5", "0.3125", "18", "English", "0.3", 0.2996},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto run = RunSprocket(
        {.pitch = c.pitch, .teeth = c.teeth, .roller = c.roller, .units = c.units, .bore = c.bore});
    ASSERT_TRUE(std::holds_alternative<SprocketRun>(run));
    const SprocketRun& s = std::get<SprocketRun>(run);
    std::vector<Path> contours = s.holes;
    contours.push_back(s.outline);
    const LengthUnit unit = UnitOf(c.units);
    EXPECT_EQ(LargestToolDiameter(contours, unit), c.largest);
    EXPECT_TRUE(ToolFits(contours, c.largest, unit));
    EXPECT_FALSE(ToolFits(contours, c.largest + 1e-4, unit));
  }
  EXPECT_EQ(LargestToolReason(0.3121, LengthUnit::Inch), "The largest tool that fits is 0.3121 in");
  EXPECT_EQ(LargestToolReason(8.507, LengthUnit::Millimetre),
            "The largest tool that fits is 8.507 mm");
  EXPECT_EQ(LargestToolReason(0, LengthUnit::Inch), "No tool fits the part's smallest arc");
}

}  // namespace
}  // namespace toothwright
