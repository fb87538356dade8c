// Field units and the conversion of a length field's text from the text as typed.
#include "ui/unit_fields.h"

#include <optional>

#include "numbers/units.h"

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
    case FieldUnit::Angle:
      return "deg";
  }
  return "";
}

const char* WidestUnitSuffix(FieldUnit unit) {
  return UnitSuffix(unit, "Metric");
}

bool ConvertsWithUnits(FieldUnit unit) {
  return unit == FieldUnit::Length || unit == FieldUnit::Feed;
}

namespace {

constexpr UnitField kUnitFields[] = {
    {&FieldTexts::pitch, FieldUnit::Length},
    {&FieldTexts::roller, FieldUnit::Length},
    {&FieldTexts::depth, FieldUnit::Length},
    {&FieldTexts::feed, FieldUnit::Feed},
    {&FieldTexts::seat_clearance, FieldUnit::Length},
    {&FieldTexts::tip_diameter, FieldUnit::Length},
    {&FieldTexts::tool_diameter, FieldUnit::Length},
    {&FieldTexts::depth_per_pass, FieldUnit::Length},
    {&FieldTexts::tab_width, FieldUnit::Length},
    {&FieldTexts::tab_height, FieldUnit::Length},
    {&FieldTexts::safe_z, FieldUnit::Length},
    {&FieldTexts::spindle, FieldUnit::Spindle},
    {&FieldTexts::plunge_feed, FieldUnit::Feed},
    {&FieldTexts::ramp_angle, FieldUnit::Angle},
    {&FieldTexts::lead_in, FieldUnit::Length},
    {&FieldTexts::thickness, FieldUnit::Length},
    {&FieldTexts::hub_diameter, FieldUnit::Length},
    {&FieldTexts::hub_length, FieldUnit::Length},
    {&FieldTexts::mesh_tolerance, FieldUnit::Length},
    {&FieldTexts::bore, FieldUnit::Length},
    {&FieldTexts::keyway_width, FieldUnit::Length},
    {&FieldTexts::keyway_depth, FieldUnit::Length},
    {&FieldTexts::bolt_hole_diameter, FieldUnit::Length},
    {&FieldTexts::bolt_circle, FieldUnit::Length},
};

}  // namespace

std::span<const UnitField> UnitFields() {
  return kUnitFields;
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
