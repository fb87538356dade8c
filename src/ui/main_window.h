// The one window of Toothwright, the form fgfgfg: the chain, the optional G-code parameters,
// the two computed diameters, the preview, the G-code text and the saves. Each event the
// window handles runs one handler named after its control and event; the fields are the only
// state a handler leaves behind, apart from the unit in force and the save dialog's file name.
#pragma once

#include <QWidget>
#include <memory>

#include "sprocket/run.h"
#include "ui/window_services.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace toothwright {

class PictureBox;
class TextStore;

// Texts of the window that the design fixes.
inline constexpr const char* kWindowCaption = "Toothwright 2.0";
inline constexpr const char* kGCodeFilter = "Cam (*.cam)";
inline constexpr const char* kDxfFilter = "Cad (*.dxf)";
inline constexpr const char* kSaveFolder = "c:\\temp";
inline constexpr const char* kNoDrawingMessage = "There is no DXF drawing yet: press Go first.";

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  // Builds the window and runs Form_Load. With services nullptr the window uses the real
  // desktop; otherwise services must outlive the window.
  explicit MainWindow(WindowServices* services = nullptr, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The unit system the length fields are in: "English" or the units list's other text.
  const QString& CurrentUnits() const { return current_units_; }
  // The DXF text of the last run, held for "Save DXF File"; empty before the first run.
  QString DxfText() const;

  // The handlers, each wired to its control's event and to nothing else.
  void Form_Load();
  void Command1_Click();
  void Combo1_Click();
  void ComboUnits_Click();
  void CmdSelectGCODE_Click();
  void CmdGCodeSave_Click();
  void CmdDXFSave_Click();
  void CmdAbout_Click();

 private:
  // The controls the handlers use, named as in the layout table.
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
    QLineEdit* txtOutsideDiameter = nullptr;
    QLineEdit* txtPitchDiameter = nullptr;
    PictureBox* Picture1 = nullptr;
    QPlainTextEdit* txtInfo = nullptr;
    QPushButton* CmdSelectGCODE = nullptr;
    QPushButton* CmdGCodeSave = nullptr;
    QPushButton* CmdDXFSave = nullptr;
    QPushButton* CmdAbout = nullptr;
    TextStore* txtDXF = nullptr;
  };

  void BuildControls();
  void WireEvents();
  FieldTexts ReadFields() const;
  void ConvertLengthField(QLineEdit* field, const QString& units);
  // Asks for a path with filter and writes text and one more CR LF to it.
  void SaveWithDialog(const QString& filter, const QString& text);

  std::unique_ptr<WindowServices> own_services_;
  WindowServices* services_;
  Controls ui_;
  QString current_units_;
  SaveRequest save_dialog_;  // shared by both saves: keeps the last confirmed file name
};

}  // namespace toothwright
