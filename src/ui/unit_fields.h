// The unit each number field of the window is in, the suffix that shows it, and what a unit
// switch does to a length field's text: it is converted from the text as typed, so that a
// switch there and back gives the typed text again, digit for digit.
#pragma once

#include <span>
#include <string>

#include "sprocket/fields.h"
#include "sprocket/units.h"

namespace toothwright {

// What a field's number measures.
enum class FieldUnit {
  Length,   // "in" or "mm"; a unit switch converts it
  Feed,     // "in/min" or "mm/min": a length per minute, converted like a length
  Spindle,  // "rpm" in either unit system; never converted
  Angle,    // "deg" in either unit system; never converted
};

// A field that shows a unit: the run's text it fills and what its number measures.
struct UnitField {
  std::string FieldTexts::*text;
  FieldUnit unit;
};

// Every field that shows a unit. A unit switch converts every length and feed among them, in
// this order; counts, the spindle speed, angles and the word ANSI stay as they are.
std::span<const UnitField> UnitFields();

// The suffix a field of unit shows while length_unit is in force.
const char* UnitSuffix(FieldUnit unit, LengthUnit length_unit);

// The widest suffix a field of unit can show, so that its room does not change with a switch.
const char* WidestUnitSuffix(FieldUnit unit);

// Whether a unit switch converts the number of a field of unit.
bool ConvertsWithUnits(FieldUnit unit);

// A length field's text as last typed (or written by a chain pick), the unit it was typed in,
// and the text the field shows now.
struct TypedLength {
  std::string typed;
  LengthUnit typed_unit = LengthUnit::Inch;  // the window starts in inches with empty fields
  std::string shown;
};

// The record of a field after a switch from from to to; its shown text is what the field shows
// next. A current text that differs from before.shown was typed since, in from, and replaces the
// typed text. Back in the unit it was typed in, the typed text comes back unchanged; in the
// other it is converted from the typed text, and one that is not wholly a number, or whose
// product is not finite, is shown as typed.
TypedLength SwitchLengthUnits(const TypedLength& before, const std::string& current,
                              LengthUnit from, LengthUnit to);

// The units list's text of length_unit, "English" for inches, "Metric" for millimetres: the
// words the window shows and a design's units field holds.
const char* UnitsText(LengthUnit length_unit);

}  // namespace toothwright
