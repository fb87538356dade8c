// Field units by option kind, and the conversion of a length field's text from the text as
// typed.
#include "ui/unit_fields.h"

#include <optional>

namespace toothwright {

const char* UnitSuffix(OptionKind kind, LengthUnit length_unit) {
  switch (kind) {
    case OptionKind::Length:
      return UnitName(length_unit);
    case OptionKind::Feed:
      return length_unit == LengthUnit::Inch ? "in/min" : "mm/min";
    case OptionKind::Speed:
      return "rpm";
    case OptionKind::Angle:
      return "deg";
    case OptionKind::Seconds:
      return "s";
    case OptionKind::Count:
    case OptionKind::Number:
    case OptionKind::Word:
    case OptionKind::Tick:
      return nullptr;
  }
  return nullptr;
}

const char* WidestUnitSuffix(OptionKind kind) {
  return UnitSuffix(kind, LengthUnit::Millimetre);
}

bool ConvertsWithUnits(OptionKind kind) {
  return kind == OptionKind::Length || kind == OptionKind::Feed;
}

const char* UnitsText(LengthUnit length_unit) {
  return length_unit == LengthUnit::Inch ? "English" : "Metric";
}

TypedLength SwitchLengthUnits(const TypedLength& before, const std::string& current,
                              LengthUnit from, LengthUnit to) {
  TypedLength after = before;
  if (current != before.shown) {
    after.typed = current;
    after.typed_unit = from;
  }
  if (after.typed_unit == to) {
    after.shown = after.typed;
  } else {
    const std::optional<std::string> converted = ConvertLengthText(after.typed, to);
    after.shown = converted.value_or(after.typed);
  }
  return after;
}

}  // namespace toothwright
