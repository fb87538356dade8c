// The More panel: the tooth-form, machining, solid, mounting and beam options a run can take
// beyond the closed window's fields, the cut's figures, the DXF file's ticks and the row of saves
// of the drawings, the model, the cut path and the design files. It is one widget right of the
// closed window, so that opening and closing it shows or hides all of it and a closed panel takes
// no place in the focus order.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "sprocket/fields.h"
#include "ui/controls.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace toothwright {

class MorePanel : public QWidget {
  Q_OBJECT

 public:
  // Builds the closed panel's controls as a child of window from the panel's layout, made from
  // the option rows; adds those that take the focus to focus_order.
  MorePanel(QWidget* window, FocusOrder& focus_order);

  // A panel field and the option row it fills; for a list, the line typed in.
  struct OptionField {
    const OptionRow* row;
    QLineEdit* edit;
  };
  struct OptionTick {
    const OptionRow* row;
    QCheckBox* box;
  };
  // The panel's text fields and tick boxes, in the order of the option rows, and the controls
  // the rest of the window uses.
  struct Controls {
    std::vector<OptionField> options;
    std::vector<OptionTick> ticks;
    QLineEdit* txtToolDiameter = nullptr;
    QPushButton* CmdOpenDesign = nullptr;
    QPushButton* CmdSaveDesign = nullptr;
  };
  const Controls& ui() const { return ui_; }

  bool IsOpen() const { return open_; }
  // Shows the panel while open, hides it while closed.
  void SetOpen(bool open);
  // Options in force: the fields that are not empty (a run reads an empty one as off), and the
  // ticked boxes.
  int OptionsInForce() const;
  // Writes the panel's texts and ticks into fields, whether the panel is open or not.
  void ReadInto(FieldTexts& fields) const;
  // The field whose text a run reads into text, or nullptr for one the panel has none of.
  QLineEdit* FieldEdit(std::string FieldTexts::*text) const;
  // The tick box whose state a run reads into ticked, or nullptr for one the panel has none of.
  QCheckBox* TickBox(bool FieldTexts::*ticked) const;

 private:
  // Binds the fields and ticks of the option rows the panel shows, with their tips.
  void BindOptions();
  // The "ANSI" button beside row's field fills in the word for the chain standard's value.
  void BindStandardButton(const OptionRow& row, QLineEdit* field);
  void SetTips();

  Controls ui_;
  bool open_ = false;
};

}  // namespace toothwright
