// The window's controls: made from the rows of a layout table, found again by name, and written
// by the program the way typed text would be shown.
#pragma once

#include <QString>
#include <QWidget>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "ui/window_layout.h"

class QLineEdit;

namespace toothwright {

// Controls with a place in the focus order, with that place; chained lowest first.
using FocusOrder = std::vector<std::pair<int, QWidget*>>;

// Creates the controls of a layout table as children of parent, whose top-left corner lies
// left_twips right of the client area's; adds those that take the focus to focus_order.
void PlaceControls(std::span<const ControlLayout> table, QWidget* parent, int left_twips,
                   FocusOrder& focus_order);

// Chains the focus of focus_order's controls by their places, lowest first.
void ChainFocus(FocusOrder focus_order);

// The control named name among parent's own children; one the layout created must exist.
template <typename Widget>
Widget* FindControl(const QWidget* parent, const char* name) {
  auto* control = parent->findChild<Widget*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
  Q_ASSERT_X(control != nullptr, "FindControl", name);
  return control;
}

// A text the program writes into a field is shown from its start, as typed text would be,
// even when it is wider than the field.
void SetFieldText(QLineEdit* field, const std::string& text);

// The tick box named box among parent's children, named for assistive tools by the label
// beside it, since the box has no caption of its own.
void NameByLabel(const QWidget* parent, const char* box, const char* label);

}  // namespace toothwright
