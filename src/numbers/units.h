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

// A length as messages show it: the number (FormatReal) and its unit, "0.3125 in".
std::string LengthText(double value, LengthUnit unit);

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
