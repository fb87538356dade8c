// The unit each number field of the window shows, by the kind of its option, and what a unit
// switch does to a length field's text: it is converted from the text as typed, so that a
// switch there and back gives the typed text again, digit for digit.
#pragma once

#include <string>

#include "numbers/units.h"
#include "sprocket/fields.h"

namespace toothwright {

// The suffix a field of kind shows while length_unit is in force: "in" or "mm" for a length,
// "in/min" or "mm/min" for a feed, "rpm" for a speed and "deg" for an angle in either unit;
// nullptr for the kinds that show none (counts, words, ticks).
const char* UnitSuffix(OptionKind kind, LengthUnit length_unit);

// The widest suffix a field of kind can show, so that its room does not change with a switch.
const char* WidestUnitSuffix(OptionKind kind);

// Whether a unit switch converts the number of a field of kind: lengths and feeds.
bool ConvertsWithUnits(OptionKind kind);

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
