#include "sprocket/tooth_width.h"

#include <cmath>
#include <numbers>

#include "numbers/units.h"

namespace toothwright {
namespace {

// ANSI widths are the share of W less this allowance, in inches.
constexpr double kAnsiWidthAllowanceInches = 0.006;
// ISO 606 gives the narrower share to chains of up to this pitch (12.7 mm), in inches.
constexpr double kIsoNarrowPitchInches = 12.7 / kMillimetresPerInch;
// ANSI B29.1's maximum hub diameter is this much below P (cot(180 deg / N) - 1), in inches.
constexpr double kPlateClearanceInches = 0.030;

constexpr double kAnsiChamferShare = 0.125;
constexpr double kIsoChamferShare = 0.13;

double AnsiShare(int strands) {
  if (strands == 1) return 0.93;
  return strands <= 3 ? 0.90 : 0.88;
}

double IsoShare(int strands, double pitch_inches) {
  const bool narrow = pitch_inches <= kIsoNarrowPitchInches;
  if (strands == 1) return narrow ? 0.93 : 0.95;
  return narrow ? 0.91 : 0.93;
}

}  // namespace

std::optional<double> StandardToothWidth(const ChainSize& chain, int strands, LengthUnit unit) {
  if (!(chain.inner_width > 0)) return std::nullopt;
  if (chain.standard == ChainStandard::Ansi) {
    const double inches = AnsiShare(strands) * chain.inner_width - kAnsiWidthAllowanceInches;
    return unit == LengthUnit::Inch ? inches : inches * kMillimetresPerInch;
  }
  if (chain.standard == ChainStandard::IsoB) {
    // Worked in millimetres, the unit the ISO widths are given in, so that a metric width is
    // the standard's product (0.93 x 7.75 = 7.2075 mm).
    const double millimetres =
        IsoShare(strands, chain.pitch) * (chain.inner_width * kMillimetresPerInch);
    return unit == LengthUnit::Inch ? millimetres / kMillimetresPerInch : millimetres;
  }
  return std::nullopt;
}

double ChamferShare(ChainStandard standard) {
  return standard == ChainStandard::IsoB ? kIsoChamferShare : kAnsiChamferShare;
}

double PlateClearanceDiameter(double pitch, int teeth, LengthUnit unit) {
  const double clearance = unit == LengthUnit::Inch ? kPlateClearanceInches
                                                    : kPlateClearanceInches * kMillimetresPerInch;
  const double half_angle = std::numbers::pi / teeth;
  return pitch * (1 / std::tan(half_angle) - 1) - clearance;
}

}  // namespace toothwright
