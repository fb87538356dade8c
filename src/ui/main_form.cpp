// The closed window's inputs, bound to the texts a run reads by a table of their names.
#include "ui/main_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

#include "sprocket/chain_sizes.h"
#include "ui/controls.h"
#include "ui/unit_fields.h"

namespace toothwright {
namespace {

// The options the closed window shows; the others are the More panel's.
bool InForm(const OptionRow& row) {
  return row.panel.group == PanelGroup::Main;
}

}  // namespace

const QStringList& UnitsList() {
  // The units list belongs to the window's design.
  static const QStringList units = {QString::fromLatin1(UnitsText(LengthUnit::Inch)),
                                    QString::fromLatin1(UnitsText(LengthUnit::Millimetre))};
  return units;
}

MainForm::MainForm(QWidget* window) : QObject(window) {
  ui_.Combo1 = FindControl<QComboBox>(window, "Combo1");
  ui_.txtPitch = FindControl<QLineEdit>(window, "txtPitch");
  ui_.txtRollerDiameter = FindControl<QLineEdit>(window, "txtRollerDiameter");
  ui_.ComboUnits = FindControl<QComboBox>(window, "ComboUnits");
  ui_.txtNumberofTeeth = FindControl<QLineEdit>(window, "txtNumberofTeeth");
  ui_.Command1 = FindControl<QPushButton>(window, "Command1");
  ui_.txtCutDepth = FindControl<QLineEdit>(window, "txtCutDepth");
  ui_.txtFeedRate = FindControl<QLineEdit>(window, "txtFeedRate");
  ui_.Check1 = FindControl<QCheckBox>(window, "Check1");
  ui_.CmdMore = FindControl<QPushButton>(window, "CmdMore");
  ui_.CmdAbout = FindControl<QPushButton>(window, "CmdAbout");
  // The pressed look tells an open panel.
  ui_.CmdMore->setCheckable(true);
  for (const OptionRow& row : kOptionRows) {
    if (!InForm(row)) continue;
    if (row.text != nullptr) fields_.push_back({&row, FindControl<QLineEdit>(window, row.control)});
    if (row.tooltip != nullptr) {
      FindControl<QWidget>(window, row.control)->setToolTip(QString::fromUtf8(row.tooltip));
    }
    // A tick box has no caption of its own; the label beside it names it for assistive tools.
    if (row.kind == OptionKind::Tick) NameByLabel(window, row.control, row.label);
  }
  // The feed is copied into every move line of the program, where a line break would start
  // lines of its own; the one-line field refuses a paste that holds one.
  ui_.txtFeedRate->setValidator(
      new QRegularExpressionValidator(QRegularExpression("[^\r\n]*"), ui_.txtFeedRate));
  // Nothing is selected until the window loads and picks "English".
  const QSignalBlocker quiet(ui_.ComboUnits);
  ui_.ComboUnits->addItems(UnitsList());
  ui_.ComboUnits->setCurrentIndex(-1);
}

void MainForm::LoadChains() {
  // Filling the list picks nothing and must not count as a pick.
  const QSignalBlocker quiet(ui_.Combo1);
  ui_.Combo1->addItem(QString());
  for (const ChainSize& row : ChainSizeTable) ui_.Combo1->addItem(QString::fromUtf8(row.name));
  ui_.Combo1->setCurrentIndex(-1);
}

void MainForm::ReadInto(FieldTexts& fields) const {
  for (const OptionField& field : fields_) {
    fields.*(field.row->text) = field.edit->text().toStdString();
  }
  fields.units = ui_.ComboUnits->currentText().toStdString();
  fields.offset = ui_.Check1->isChecked();
  fields.chain = ui_.Combo1->currentText().toStdString();
}

QLineEdit* MainForm::FieldEdit(std::string FieldTexts::*text) const {
  for (const OptionField& field : fields_) {
    if (field.row->text == text) return field.edit;
  }
  return nullptr;
}

void MainForm::ShowUnitsAndChain(const FieldTexts& fields) {
  // A chain pick would write its pitch and roller over the fields', so the list shows the
  // chain without picking it; none when fields name no chain of the list.
  const QSignalBlocker quiet_units(ui_.ComboUnits);
  const QSignalBlocker quiet_chains(ui_.Combo1);
  const int units = ui_.ComboUnits->findText(QString::fromStdString(fields.units));
  Q_ASSERT(units >= 0);  // a design holds one of the list's units
  ui_.ComboUnits->setCurrentIndex(units);
  ui_.Combo1->setCurrentIndex(
      fields.chain.empty() ? -1 : ui_.Combo1->findText(QString::fromStdString(fields.chain)));
}

void MainForm::Combo1_Click() {
  const QString name = ui_.Combo1->currentText();
  if (name.isEmpty()) {
    ui_.txtPitch->clear();
    ui_.txtRollerDiameter->clear();
    return;
  }
  const std::optional<ChainSize> row = FindChainSize(name.toStdString());
  if (!row) return;
  const LengthTexts texts =
      SetChainSize(row->pitch, row->roller, UnitOf(ui_.ComboUnits->currentText().toStdString()));
  SetFieldText(ui_.txtPitch, texts.pitch);
  SetFieldText(ui_.txtRollerDiameter, texts.roller);
}

}  // namespace toothwright
