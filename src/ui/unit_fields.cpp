// Field units and the conversion of a length field's text from the text as typed.
#include "ui/unit_fields.h"

#include <optional>

#include "sprocket/units.h"

namespace toothwright {

const char* UnitSuffix(FieldUnit unit, std::string_view units) {
  const bool english = IsEnglish(units);
  switch (unit) {
    case FieldUnit::Length:
      return english ? "in" : "mm";
    case FieldUnit::Feed:
      return english ? "in/min" : "mm/min";
    case FieldUnit::Spindle:
      return "rpm";
  }
  return "";
}

const char* WidestUnitSuffix(FieldUnit unit) {
  return UnitSuffix(unit, "Metric");
}

bool ConvertsWithUnits(FieldUnit unit) {
  return unit != FieldUnit::Spindle;
}

TypedLength SwitchLengthUnits(const TypedLength& before, const std::string& current,
                              std::string_view from_units, std::string_view to_units) {
  TypedLength after = before;
  if (current != before.shown) {
    after.typed = current;
    after.typed_units = std::string(from_units);
  }
  if (IsEnglish(after.typed_units) == IsEnglish(to_units)) {
    after.shown = after.typed;
  } else {
    const std::optional<std::string> converted = ConvertLengthText(after.typed, to_units);
    after.shown = converted.value_or(after.typed);
  }
  return after;
}

}  // namespace toothwright
