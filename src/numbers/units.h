// The two unit systems of the length fields and the conversion of a field's text between them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace toothwright {

inline constexpr double kMillimetresPerInch = 25.4;

// The length unit of every field and output.
enum class LengthUnit : unsigned char { Inch, Millimetre };

// "in" or "mm", as the reasons and the window name the unit.
inline const char* UnitName(LengthUnit unit) {
  return unit == LengthUnit::Inch ? "in" : "mm";
}

// A length as reasons show it, written as the fields are: the nearest value with at most four
// decimals in inches, three in millimetres, without trailing zeros or point, then its unit:
// "0.9562 in", "24.287 mm", "1.5 in". Never an exponent; -0 is "0".
std::string LengthText(double value, LengthUnit unit);

// The value LengthText writes, as its text reads back: the nearest with four decimals, three
// in millimetres. The same value when too large to hold a decimal, or not finite.
double ShownValue(double value, LengthUnit unit);

// Which values a check takes beside its limit.
enum class Bound : unsigned char {
  AtLeast,  // the limit and above
  Above,    // above the limit only
  AtMost,   // the limit and below
  Below,    // below the limit only
};

// The value a reason names for a limit: of the values LengthText writes whole (four decimals,
// three in millimetres), the one nearest the limit that the check takes, so that a least value
// is rounded up and a most value down and the value named, typed as it reads, passes. The same
// value for a limit too large to hold a decimal, or not finite.
double ShownBound(double limit, LengthUnit unit, Bound bound);

// LengthText of ShownBound: "at least " + BoundText(...) names a value that works.
std::string BoundText(double limit, LengthUnit unit, Bound bound);

// The unit a units text names, where the text is read: "English" (exactly, case-sensitive)
// means inches; any other text ("Metric") means millimetres.
inline LengthUnit UnitOf(std::string_view units) {
  return units == "English" ? LengthUnit::Inch : LengthUnit::Millimetre;
}

// The text of a length field converted into the unit to: millimetres to inches by the
// reciprocal of 25.4, inches to millimetres by 25.4. nullopt when the text is not wholly a
// number or the product is not finite; the field then keeps its text.
std::optional<std::string> ConvertLengthText(std::string_view text, LengthUnit to);

}  // namespace toothwright
