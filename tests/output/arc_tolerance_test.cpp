// Every arc of a computed cutter path and of the holes, read the way a strict controller
// (Grbl) reads it: the radius measured from the written start and from the written end about
// start + (I, J) agree within kArcRadiusTolerance, over random sprockets, tools up to the
// largest that fits, both units and both directions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <variant>
#include <vector>

#include "numbers/numbers.h"
#include "numbers/units.h"
#include "output/gcode.h"
#include "output_test_support.h"
#include "sprocket/arc_offsets.h"
#include "sprocket/chain_sizes.h"
#include "sprocket/tool_fit.h"
#include "support/sprockets.h"

namespace toothwright {
namespace {

// Grbl refuses an arc whose two radii differ by more than this many millimetres and by more
// than this share of the radius.
constexpr double kGrblArcLimit = 0.005;
constexpr double kGrblArcShare = 0.001;

double Word(const std::string& line, char letter) {
  const size_t at = line.find(std::string(" ") + letter);
  return at == std::string::npos ? NAN : std::stod(line.substr(at + 2));
}

// The largest radius mismatch in millimetres among a program's arcs, and how many arcs it has.
struct ArcReading {
  double worst = 0;
  size_t arcs = 0;
  size_t refused = 0;  // by Grbl's rule: off by more than 0.005 mm and 0.1 % of the radius
};

ArcReading ReadArcs(const std::string& program, double millimetres_per_unit) {
  ArcReading reading;
  double x = NAN, y = NAN;
  for (const std::string& line : SplitCrLf(program)) {
    EXPECT_EQ(line.find_first_of("Ee"), std::string::npos) << line;  // no exponent
    const bool arc = line.starts_with("G2 ") || line.starts_with("G3 ");
    if (!line.starts_with("G0 X") && !line.starts_with("G1 X") && !arc) continue;
    const double ex = Word(line, 'X'), ey = Word(line, 'Y');
    if (arc) {
      const double i = Word(line, 'I'), j = Word(line, 'J');
      const double mismatch = RadiusMismatch({x, y}, {ex, ey}, i, j) * millimetres_per_unit;
      reading.worst = std::max(reading.worst, mismatch);
      const double radius = std::hypot(i, j) * millimetres_per_unit;
      if (mismatch > kGrblArcLimit && mismatch > kGrblArcShare * radius) ++reading.refused;
      EXPECT_FALSE(i == 0 && j == 0) << line;  // a zero-radius arc
      ++reading.arcs;
    }
    x = ex;
    y = ey;
  }
  return reading;
}

TEST(ArcTolerance, RandomCutterPathsAndHolesStayWithinTolerance) {
  std::mt19937_64 random(17);
  const auto uniform = [&](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  };
  int accepted = 0;
  for (int k = 0; k < 400; ++k) {
    const ChainSize& chain = ChainSizeTable[random() % ChainSizeTable.size()];
    const bool english = random() % 2 == 0;
    const double unit = english ? 1 : kMillimetresPerInch;
    const int teeth = 4 + static_cast<int>(random() % 80);
    FieldTexts f{.pitch = FormatReal(chain.pitch * unit),
                 .teeth = std::to_string(teeth),
                 .roller = FormatReal(chain.roller * unit),
                 .units = english ? "English" : "Metric"};
    if (random() % 3 == 0) f.seat_clearance = "ANSI";
    if (random() % 3 == 0) f.tip_diameter = "ANSI";
    if (random() % 2 == 0) {
      f.bore = FormatReal(Round4(chain.pitch * unit * uniform(0.5, 1.5)));
      f.bolt_holes = "3";
      f.bolt_hole_diameter = FormatReal(Round4(chain.pitch * unit * uniform(0.2, 0.5)));
      f.bolt_circle = FormatReal(Round4(chain.pitch * unit * uniform(2.2, 3)));
    }
    auto run = RunSprocket(f);
    if (!std::holds_alternative<SprocketRun>(run)) continue;
    const SprocketRun& s = std::get<SprocketRun>(run);
    std::vector<Path> contours = s.holes;
    contours.push_back(s.outline);
    const double largest = LargestToolDiameter(contours, UnitOf(f.units));
    // A tenth of the tools at the very limit, where the seats' arcs are smallest.
    const double tool = random() % 10 == 0 ? largest : Round4(largest * uniform(0.05, 1));
    if (!(tool > 0)) continue;
    SCOPED_TRACE(f.pitch + " " + f.teeth + " " + f.roller + " " + f.units + " tool " +
                 FormatReal(tool));
    f.depth = FormatReal(0.1 * unit);
    f.feed = "10";
    f.tool_diameter = FormatReal(tool);
    if (random() % 2 == 0) f.direction = "climb";
    if (random() % 2 == 0) {
      f.tabs = "3";
      f.tab_width = FormatReal(0.05 * unit);
      f.tab_height = "0.02";
    }
    auto job = MakeJob(f);
    if (!std::holds_alternative<Job>(job)) continue;  // a tool the checks find too large
    ++accepted;
    const ArcReading r =
        ReadArcs(WriteGCode(std::get<Job>(job)), english ? kMillimetresPerInch : 1);
    EXPECT_GT(r.arcs, 3u * static_cast<size_t>(teeth));
    EXPECT_LE(r.worst, kArcRadiusTolerance);
    EXPECT_EQ(r.refused, 0u);
  }
  EXPECT_GT(accepted, 300);
}

}  // namespace
}  // namespace toothwright
