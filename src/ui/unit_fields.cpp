// Field units and the conversion of a length field's text from the text as typed.
#include "ui/unit_fields.h"

#include <optional>

namespace toothwright {

const char* UnitSuffix(FieldUnit unit, LengthUnit length_unit) {
  switch (unit) {
    case FieldUnit::Length:
      return UnitName(length_unit);
    case FieldUnit::Feed:
      return length_unit == LengthUnit::Inch ? "in/min" : "mm/min";
    case FieldUnit::Spindle:
      return "rpm";
    case FieldUnit::Angle:
      return "deg";
  }
  return "";
}

const char* WidestUnitSuffix(FieldUnit unit) {
  return UnitSuffix(unit, LengthUnit::Millimetre);
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
    const std::optional<std::string> converted = ConvertLengthText(after.typed, UnitsText(to));
    after.shown = converted.value_or(after.typed);
  }
  return after;
}

}  // namespace toothwright
