// The two unit systems of the length fields and the conversion of a field's text between them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace toothwright {

inline constexpr double kMillimetresPerInch = 25.4;

// "English" (exactly, case-sensitive) means inches; any other unit text means millimetres.
inline bool IsEnglish(std::string_view units) {
  return units == "English";
}

// The text of a length field converted into the unit to_units: millimetres to inches by the
// reciprocal of 25.4, inches to millimetres by 25.4. nullopt when the text is not wholly a
// number or the product is not finite; the field then keeps its text.
std::optional<std::string> ConvertLengthText(std::string_view text, std::string_view to_units);

}  // namespace toothwright
