// Unit switching multiplies by 1/25.4 computed once as a double rather than dividing by 25.4;
// the texts then survive any number of switches (0.306 -> 7.7724 -> 0.306).
#include "numbers/units.h"

#include <array>
#include <charconv>
#include <cmath>

#include "numbers/numbers.h"

namespace toothwright {
namespace {

// Reasons write lengths as the fields hold them: four decimals of an inch, three of a
// millimetre (a tenth of a thousandth of an inch is about 0.0025 mm).
int ShownDecimals(LengthUnit unit) {
  return unit == LengthUnit::Inch ? 4 : 3;
}

double ShownScale(LengthUnit unit) {
  return unit == LengthUnit::Inch ? 1e4 : 1e3;
}

// From this many steps of the last decimal on, a double holds no fraction of a step.
constexpr double kWholeSteps = 0x1p52;

// Whether value has steps of the last shown decimal to round to.
bool Roundable(double value, double scale) {
  return std::isfinite(value) && std::fabs(value) * scale < kWholeSteps;
}

bool Takes(double value, double limit, Bound bound) {
  switch (bound) {
    case Bound::AtLeast:
      return value >= limit;
    case Bound::Above:
      return value > limit;
    case Bound::AtMost:
      return value <= limit;
    case Bound::Below:
      return value < limit;
  }
  return false;
}

}  // namespace

std::optional<std::string> ConvertLengthText(std::string_view text, LengthUnit to) {
  const std::optional<double> value = ParseReal(text);
  if (!value) return std::nullopt;
  const double factor = to == LengthUnit::Inch ? 1 / kMillimetresPerInch : kMillimetresPerInch;
  const double converted = *value * factor;
  if (!std::isfinite(converted)) return std::nullopt;
  return FormatReal(converted);
}

std::string LengthText(double value, LengthUnit unit) {
  if (!std::isfinite(value)) return FormatReal(value) + " " + UnitName(unit);
  // 1e308 written in full takes 309 digits, the decimals and the sign 5 more.
  std::array<char, 320> buffer;
  const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                     std::chars_format::fixed, ShownDecimals(unit));
  std::string text(buffer.data(), written.ptr);
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  if (text == "-0") text = "0";
  return text + " " + UnitName(unit);
}

double ShownValue(double value, LengthUnit unit) {
  const double scale = ShownScale(unit);
  if (!Roundable(value, scale)) return value;
  // A whole number of steps divided by their number is the double nearest that decimal, which
  // is what its text reads back as.
  return std::round(value * scale) / scale;
}

double ShownBound(double limit, LengthUnit unit, Bound bound) {
  const double scale = ShownScale(unit);
  if (!Roundable(limit, scale)) return limit;
  // Away from the limit on the side the check takes, towards it on the other: the steps of
  // the last decimal nearest it differ from it by its binary error at most, so that a step or
  // two each way settles it.
  const double away = bound == Bound::AtLeast || bound == Bound::Above ? 1 : -1;
  double step = std::round(limit * scale);
  while (!Takes(step / scale, limit, bound)) step += away;
  while (Takes((step - away) / scale, limit, bound)) step -= away;
  return step / scale;
}

std::string BoundText(double limit, LengthUnit unit, Bound bound) {
  return LengthText(ShownBound(limit, unit, bound), unit);
}

}  // namespace toothwright
