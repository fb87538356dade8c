// Each kind of control of the layout tables made as its Qt widget, placed in pixels.
#include "ui/controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

#include "ui/picture_box.h"

namespace toothwright {
namespace {

QWidget* CreateLabel(const ControlLayout& row, QWidget* parent) {
  auto* label = new QLabel(QString::fromUtf8(row.caption), parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment((row.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
  return label;
}

QWidget* CreateButton(const ControlLayout& row, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(row.caption), parent);
  button->setAutoDefault(false);
  return button;
}

// A click gives the focus, so that the number can be selected and copied; Tab passes it.
QWidget* CreateResultBox(QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setReadOnly(true);
  field->setFocusPolicy(Qt::ClickFocus);
  return field;
}

QWidget* CreateChoiceList(QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setEditable(false);
  return list;
}

QWidget* CreateFrame(QWidget* parent) {
  auto* frame = new QFrame(parent);
  frame->setFrameStyle(QFrame::Box | QFrame::Plain);
  frame->setLineWidth(1);
  return frame;
}

QWidget* CreateCodeBox(QWidget* parent) {
  auto* box = new QPlainTextEdit(parent);
  box->setLineWrapMode(QPlainTextEdit::NoWrap);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box->setTabChangesFocus(true);
  return box;
}

QWidget* CreateControl(const ControlLayout& row, QWidget* parent) {
  switch (row.kind) {
    case ControlKind::Label:
      return CreateLabel(row, parent);
    case ControlKind::Button:
      return CreateButton(row, parent);
    case ControlKind::TextBox:
      return new QLineEdit(parent);
    case ControlKind::ResultBox:
      return CreateResultBox(parent);
    case ControlKind::ChoiceList:
      return CreateChoiceList(parent);
    case ControlKind::CheckBox:
      return new QCheckBox(parent);
    case ControlKind::Frame:
      return CreateFrame(parent);
    case ControlKind::Picture:
      return new PictureBox(parent);
    case ControlKind::CodeBox:
      return CreateCodeBox(parent);
  }
  return nullptr;
}

}  // namespace

void PlaceControls(std::span<const ControlLayout> table, QWidget* parent, int left_twips,
                   FocusOrder& focus_order) {
  for (const ControlLayout& row : table) {
    QWidget* control = CreateControl(row, parent);
    control->setObjectName(QString::fromLatin1(row.name));
    control->setGeometry(TwipsToPixels(row.left - left_twips, row.top, row.width, row.height));
    if (row.font != FontRole::Body) control->setFont(FontFor(row.font));
    if (row.tab != kNoTab) focus_order.emplace_back(row.tab, control);
  }
}

void ChainFocus(FocusOrder focus_order) {
  std::sort(focus_order.begin(), focus_order.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t i = 1; i < focus_order.size(); ++i) {
    QWidget::setTabOrder(focus_order[i - 1].second, focus_order[i].second);
  }
}

void SetFieldText(QLineEdit* field, const std::string& text) {
  field->setText(QString::fromStdString(text));
  field->setCursorPosition(0);
}

void NameByLabel(const QWidget* parent, const char* box, const char* label) {
  FindControl<QCheckBox>(parent, box)
      ->setAccessibleName(FindControl<QLabel>(parent, label)->text());
}

}  // namespace toothwright
