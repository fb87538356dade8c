#include "sprocket/tooth_form.h"

#include <cmath>

#include "geometry/angles.h"
#include "numbers/numbers.h"

namespace toothwright {
namespace {

// The standard's seat diameter is 1.005 Dr plus this allowance (0.003 in).
constexpr double kSeatAllowanceInches = 0.003;
constexpr double kSeatAllowanceMillimetres = 0.0762;
constexpr double kSeatGrowth = 1.005;
// The standard's outside diameter is P (kOutsideDiameterAddendum + cot(180 deg / T)).
constexpr double kOutsideDiameterAddendum = 0.6;

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

}  // namespace

bool IsAnsiWord(std::string_view text) {
  const std::string_view word = Trimmed(text);
  if (word.size() != 4) return false;
  for (size_t i = 0; i < 4; ++i) {
    const char c = word[i];
    const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    if (upper != "ANSI"[i]) return false;
  }
  return true;
}

std::optional<double> ReadSeatClearance(std::string_view text, double roller_diameter,
                                        LengthUnit unit) {
  if (IsBlank(text)) return 0.0;
  if (IsAnsiWord(text)) {
    const double allowance =
        unit == LengthUnit::Inch ? kSeatAllowanceInches : kSeatAllowanceMillimetres;
    const double seat_diameter = kSeatGrowth * roller_diameter + allowance;
    return (seat_diameter - roller_diameter) / 2;
  }
  const std::optional<double> clearance = ParseReal(text);
  if (!clearance || !(*clearance >= 0)) return std::nullopt;
  return *clearance == 0 ? 0.0 : *clearance;  // -0 counts as 0
}

std::optional<std::optional<double>> ReadTipDiameter(std::string_view text, double pitch,
                                                     double T) {
  if (IsBlank(text)) return std::optional<double>();
  if (IsAnsiWord(text)) {
    const double half_angle = DegToRad(180 / T);
    return std::optional<double>(pitch * (kOutsideDiameterAddendum + 1 / std::tan(half_angle)));
  }
  const std::optional<double> diameter = ParseReal(text);
  if (!diameter) return std::nullopt;
  return std::optional<double>(*diameter);
}

}  // namespace toothwright
