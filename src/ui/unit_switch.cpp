// Unit suffixes drawn inside the fields, and the conversion of every length at a switch.
#include "ui/unit_switch.h"

#include <QLabel>
#include <QLineEdit>

#include "ui/controls.h"

namespace toothwright {
namespace {

// Room between a unit suffix and the typed text, and between the suffix and the field's frame.
constexpr int kSuffixGapPixels = 2;
constexpr int kSuffixFramePixels = 3;

}  // namespace

QLabel* AttachUnitSuffix(QLineEdit* field, OptionKind kind) {
  auto* suffix = new QLabel(field);
  suffix->setObjectName(field->objectName() + QLatin1String("Unit"));
  suffix->setTextFormat(Qt::PlainText);
  suffix->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  suffix->setAttribute(Qt::WA_TransparentForMouseEvents);
  suffix->setForegroundRole(QPalette::PlaceholderText);
  const int width =
      field->fontMetrics().horizontalAdvance(QString::fromLatin1(WidestUnitSuffix(kind)));
  suffix->setGeometry(field->width() - width - kSuffixFramePixels, 0, width, field->height());
  field->setTextMargins(0, 0, width + kSuffixGapPixels, 0);
  return suffix;
}

void UnitSwitch::Attach(QLineEdit* field, OptionKind kind) {
  fields_.push_back({field, AttachUnitSuffix(field, kind), kind, TypedLength{}});
}

void UnitSwitch::Switch(LengthUnit unit) {
  if (unit == current_) return;
  const LengthUnit from = current_;
  current_ = unit;
  // A text that is not wholly a number (the word ANSI, "12 mm") stays as it is.
  for (FieldState& state : fields_) {
    if (!ConvertsWithUnits(state.kind)) continue;
    state.text = SwitchLengthUnits(state.text, state.field->text().toStdString(), from, unit);
    const QString shown = QString::fromStdString(state.text.shown);
    if (state.field->text() != shown) SetFieldText(state.field, state.text.shown);
  }
  RefreshSuffixes();
}

void UnitSwitch::RefreshSuffixes() {
  for (const FieldState& state : fields_) {
    const QString suffix = QString::fromLatin1(UnitSuffix(state.kind, current_));
    state.suffix->setText(suffix);
    // Assistive tools read the unit with the field, which the drawn suffix does not tell them.
    state.field->setAccessibleDescription(suffix);
  }
}

void UnitSwitch::TakeShownAsTyped() {
  for (FieldState& state : fields_) {
    const std::string shown = state.field->text().toStdString();
    state.text = TypedLength{shown, current_, shown};
  }
}

}  // namespace toothwright
