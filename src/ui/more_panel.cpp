// The panel is built from its layout, which the option rows make; the rows bind its fields and
// ticks to the texts a run reads.
#include "ui/more_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <algorithm>

#include "numbers/numbers.h"
#include "ui/panel_layout.h"

namespace toothwright {
namespace {

// The choices of the direction and process lists; the blank first one leaves the default.
const QStringList kDirections = {QString(), QStringLiteral("conventional"),
                                 QStringLiteral("climb")};
const QStringList kProcesses = {QString(), QStringLiteral("mill"), QStringLiteral("laser"),
                                QStringLiteral("plasma"), QStringLiteral("waterjet")};

// The word a tooth-form or thickness field takes for the chain standard's value.
constexpr const char* kStandardWord = "ANSI";

// The rows the panel shows: every option outside the closed window and the Drive window.
bool InPanel(const OptionRow& row) {
  return row.panel.group != PanelGroup::Main && row.panel.group != PanelGroup::Drive;
}

// A word field is typed or picked; a pick leaves the list as it is. The list offers the words
// the option takes.
QLineEdit* BindWordList(QComboBox* list, const OptionRow& row) {
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::NoInsert);
  if (row.field == Field::Direction) list->addItems(kDirections);
  if (row.field == Field::Process) list->addItems(kProcesses);
  if (row.tooltip != nullptr) list->setToolTip(QString::fromUtf8(row.tooltip));
  return list->lineEdit();
}

// A panel field typed in a line of its own, or in the editable line of a list to pick from.
QLineEdit* OptionEdit(QWidget* panel, const OptionRow& row) {
  const QString name = QString::fromLatin1(row.control);
  if (auto* list = panel->findChild<QComboBox*>(name, Qt::FindDirectChildrenOnly)) {
    return BindWordList(list, row);
  }
  return FindControl<QLineEdit>(panel, row.control);
}

}  // namespace

MorePanel::MorePanel(QWidget* window, FocusOrder& focus_order) : QWidget(window) {
  setObjectName("MorePanel");
  setGeometry(TwipsToPixels(kClientWidthTwips, 0, kMorePanelWidthTwips, kClientHeightTwips));
  hide();
  PlaceControls(MorePanelControls(), this, kClientWidthTwips, focus_order);
  BindOptions();
  SetTips();
  ui_.txtToolDiameter = FieldEdit(&FieldTexts::tool_diameter);
  ui_.CmdOpenDesign = FindControl<QPushButton>(this, "CmdOpenDesign");
  ui_.CmdSaveDesign = FindControl<QPushButton>(this, "CmdSaveDesign");
}

void MorePanel::BindOptions() {
  for (const OptionRow& row : kOptionRows) {
    if (!InPanel(row)) continue;
    if (row.kind == OptionKind::Tick) {
      auto* box = FindControl<QCheckBox>(this, row.control);
      if (row.tooltip != nullptr) box->setToolTip(QString::fromUtf8(row.tooltip));
      // The box has no caption of its own; the label beside it names it for assistive tools.
      NameByLabel(this, row.control, row.label);
      ui_.ticks.push_back({&row, box});
      continue;
    }
    QLineEdit* field = OptionEdit(this, row);
    if (row.tooltip != nullptr) field->setToolTip(QString::fromUtf8(row.tooltip));
    if (row.standard_tip != nullptr) BindStandardButton(row, field);
    ui_.options.push_back({&row, field});
  }
}

void MorePanel::BindStandardButton(const OptionRow& row, QLineEdit* field) {
  auto* button = FindControl<QPushButton>(this, StandardButtonName(row.control).c_str());
  button->setToolTip(QString::fromUtf8(row.standard_tip));
  connect(button, &QPushButton::clicked, field,
          [field] { field->setText(QString::fromLatin1(kStandardWord)); });
}

void MorePanel::SetTips() {
  FindControl<QPushButton>(this, "CmdOpenDesign")
      ->setToolTip(tr("Fills every field from a design file (Ctrl+O)"));
  FindControl<QPushButton>(this, "CmdSaveDesign")
      ->setToolTip(tr("Saves every field as typed in a design file (Ctrl+Shift+S)"));
  FindControl<QCheckBox>(this, "CheckShowToolpath")
      ->setToolTip(tr("Draws the last run's toolpath over the picture; changes no output"));
  NameByLabel(this, "CheckShowToolpath", "LabelShowToolpath");
  FindControl<QPushButton>(this, "CmdToolpathSave")
      ->setToolTip(tr("Saves the toolpath over the part, to scale, as SVG"));
  FindControl<QPushButton>(this, "CmdCutPathSave")
      ->setToolTip(tr("Saves the path the program follows, half the kerf or the tool diameter "
                      "off the part, as DXF or SVG"));
}

void MorePanel::SetOpen(bool open) {
  open_ = open;
  setVisible(open);
}

int MorePanel::OptionsInForce() const {
  const auto filled = std::count_if(ui_.options.begin(), ui_.options.end(), [](const auto& field) {
    return !IsBlank(field.edit->text().toStdString());
  });
  const auto ticked = std::count_if(ui_.ticks.begin(), ui_.ticks.end(),
                                    [](const auto& tick) { return tick.box->isChecked(); });
  return static_cast<int>(filled + ticked);
}

void MorePanel::ReadInto(FieldTexts& fields) const {
  for (const OptionField& field : ui_.options) {
    fields.*(field.row->text) = field.edit->text().toStdString();
  }
  for (const OptionTick& tick : ui_.ticks) fields.*(tick.row->ticked) = tick.box->isChecked();
}

QLineEdit* MorePanel::FieldEdit(std::string FieldTexts::*text) const {
  for (const OptionField& field : ui_.options) {
    if (field.row->text == text) return field.edit;
  }
  return nullptr;
}

QCheckBox* MorePanel::TickBox(bool FieldTexts::*ticked) const {
  for (const OptionTick& tick : ui_.ticks) {
    if (tick.row->ticked == ticked) return tick.box;
  }
  return nullptr;
}

}  // namespace toothwright
