// The tooth-form options: a clearance that widens every roller seat, and topping that cuts the
// pointed teeth off at a top circle. Both fields take a length in the current unit or the
// word "ANSI" (any case, blanks around allowed), meaning the chain standard's values.
#pragma once

#include <optional>
#include <string_view>

#include "numbers/units.h"

namespace toothwright {

// True when text, without surrounding blanks, is the word ANSI in any case.
bool IsAnsiWord(std::string_view text);

// The seat clearance of a field text: 0 when blank; for "ANSI", half the difference between
// the standard's seat diameter 1.005 Dr + 0.003 in (0.0762 mm) and the roller diameter Dr;
// otherwise the text as a number, which must be >= 0. nullopt when the text is none of these.
// Lengths in unit.
std::optional<double> ReadSeatClearance(std::string_view text, double roller_diameter,
                                        LengthUnit unit);

// The top diameter of a field text: no topping (an empty optional inside) when blank; for
// "ANSI", the standard's outside diameter P (0.6 + cot(180 deg / T)); otherwise the text as
// a number. The outer nullopt means the text is none of these.
std::optional<std::optional<double>> ReadTipDiameter(std::string_view text, double pitch, double T);

}  // namespace toothwright
