// The unit the window's length fields are in, the suffix each number field shows, and the
// switch from one unit to the other, which converts every length and feed from its text
// as typed.
#pragma once

#include <vector>

#include "ui/unit_fields.h"

class QLabel;
class QLineEdit;

namespace toothwright {

// The unit of kind shown inside the right end of field, grey like a placeholder, with the field's
// text kept clear of it. The room fits the widest suffix of the kind, so that a switch moves
// nothing; clicks go through to the field. The suffix is named after the field with "Unit"
// appended.
QLabel* AttachUnitSuffix(QLineEdit* field, OptionKind kind);

class UnitSwitch {
 public:
  // The unit in force; inches until a switch.
  LengthUnit Current() const { return current_; }
  // Makes unit the one in force without converting a field.
  void SetCurrent(LengthUnit unit) { current_ = unit; }

  // Gives field the suffix of kind, one that shows a unit, and for a length or a feed a part in
  // every switch.
  void Attach(QLineEdit* field, OptionKind kind);
  // Switches to unit: each length and feed is converted from its text as typed, so that
  // switching back gives that text again, and every suffix follows. Does nothing when unit is
  // already in force.
  void Switch(LengthUnit unit);
  // The suffixes of the fields in the unit system in force.
  void RefreshSuffixes();
  // Every field's text as shown becomes its text as typed in the unit in force, as when a
  // design file filled the fields.
  void TakeShownAsTyped();

 private:
  // A field that shows a unit, with the text it was typed in for a switch to convert.
  struct FieldState {
    QLineEdit* field;
    QLabel* suffix;
    OptionKind kind;
    TypedLength text;
  };

  std::vector<FieldState> fields_;
  LengthUnit current_ = LengthUnit::Inch;
};

}  // namespace toothwright
