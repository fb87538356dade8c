// The closed window's inputs: the chain picked or its pitch and roller typed, the units, the
// number of teeth, the depth of cut, the feed, the tool offset tick, Go, and the title row's
// More and Info buttons. A chain pick writes its sizes into the fields in the units in force.
#pragma once

#include <QObject>
#include <QStringList>
#include <string>
#include <vector>

#include "sprocket/fields.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace toothwright {

class MainForm : public QObject {
  Q_OBJECT

 public:
  // Takes the form's controls among window's children, which the window's layout table made.
  explicit MainForm(QWidget* window);

  // The controls the window wires and reads.
  struct Controls {
    QComboBox* Combo1 = nullptr;
    QLineEdit* txtPitch = nullptr;
    QLineEdit* txtRollerDiameter = nullptr;
    QComboBox* ComboUnits = nullptr;
    QLineEdit* txtNumberofTeeth = nullptr;
    QPushButton* Command1 = nullptr;
    QLineEdit* txtCutDepth = nullptr;
    QLineEdit* txtFeedRate = nullptr;
    QCheckBox* Check1 = nullptr;
    QPushButton* CmdMore = nullptr;
    QPushButton* CmdAbout = nullptr;
  };
  const Controls& ui() const { return ui_; }

  // A field of the form and the option row it fills.
  struct OptionField {
    const OptionRow* row;
    QLineEdit* edit;
  };

  // Fills the chain list with a blank entry and every standard chain, picking none; the units
  // list is filled already, with nothing picked.
  void LoadChains();
  // The form's text fields, in the order of the option rows.
  const std::vector<OptionField>& TextFields() const { return fields_; }
  // Writes the form's texts, units, tick and chain into fields.
  void ReadInto(FieldTexts& fields) const;
  // The field whose text a run reads into text, or nullptr for one the form has none of.
  QLineEdit* FieldEdit(std::string FieldTexts::*text) const;
  // Shows the units and chain of fields without a pick: nothing is converted or written over.
  void ShowUnitsAndChain(const FieldTexts& fields);

  // A pick in the chain list: its pitch and roller in the units in force; the blank entry
  // clears them.
  void Combo1_Click();

 private:
  Controls ui_;
  std::vector<OptionField> fields_;
};

// The units list's entries: the texts of the two unit systems, the window's default first.
const QStringList& UnitsList();

}  // namespace toothwright
