// Unit switching multiplies by 1/25.4 computed once as a double rather than dividing by 25.4;
// the texts then survive any number of switches (0.306 -> 7.7724 -> 0.306).
#include "numbers/units.h"

#include <cmath>

#include "numbers/numbers.h"

namespace toothwright {

std::optional<std::string> ConvertLengthText(std::string_view text, LengthUnit to) {
  const std::optional<double> value = ParseReal(text);
  if (!value) return std::nullopt;
  const double factor = to == LengthUnit::Inch ? 1 / kMillimetresPerInch : kMillimetresPerInch;
  const double converted = *value * factor;
  if (!std::isfinite(converted)) return std::nullopt;
  return FormatReal(converted);
}

std::string LengthText(double value, LengthUnit unit) {
  return FormatReal(value) + " " + UnitName(unit);
}

}  // namespace toothwright
