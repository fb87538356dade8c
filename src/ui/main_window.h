// The one window of Toothwright, the form fgfgfg: the chain, the optional G-code parameters,
// the two computed diameters, the preview, the G-code text and the saves, and the More panel
// with the tooth-form, machining, solid and mounting options, the figures of the cut and the
// design files. Each event the window handles runs one handler named after its control and
// event; the fields are the only state a handler leaves behind, apart from the unit in force
// with the typed text of each length field, the folder and name of the last file saved or
// opened, what the last successful run built and wrote, whether the results still match the
// fields and whether the panel is open. The last folder and the panel's state
// are kept for the next session through the services; the fields are not.
#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sprocket/fields.h"
#include "ui/save_names.h"
#include "ui/unit_fields.h"
#include "ui/window_layout.h"
#include "ui/window_services.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace toothwright {

class PictureBox;
class TextStore;

// Fixed texts of the window: its caption, the save filters and folder, and messages. The G-code
// save's filters are GCodeFilters().
inline constexpr const char* kWindowCaption = "Toothwright 2.0";
inline constexpr const char* kDxfFilter = "Cad (*.dxf)";
inline constexpr const char* kSaveFolder = "c:\\temp";
inline constexpr const char* kNoDrawingMessage = "There is no DXF drawing yet: press Go first.";
inline constexpr const char* kSvgFilter = "SVG (*.svg)";
inline constexpr const char* kNoSvgMessage = "There is no SVG drawing yet: press Go first.";
inline constexpr const char* kNoToolpathMessage = "There is no toolpath yet: press Go first.";
inline constexpr const char* kNoModelMessage = "There is no part yet: press Go first.";
// The tip of "Save 3-D Model..." in a build without the solid, where it stays disabled.
inline constexpr const char* kNoSolidMessage = "This build of Toothwright writes no 3-D models";
// The design files' filter, offered by the open dialog with kAllFilesFilter after it and by the
// save dialog alone.
inline constexpr const char* kDesignFilter = "Toothwright design (*.toothwright)";
inline constexpr const char* kAllFilesFilter = "All files (*)";
// Shown in the results area, and as the saves' tip while they are disabled, once the fields no
// longer match the results.
inline constexpr const char* kStaleResultsMessage = "Results are for earlier settings: press Go";

// The number of text fields and of tick boxes in the More panel: the options a run can take
// beyond the fields of the closed window.
inline constexpr size_t kOptionFieldCount = 24;
inline constexpr size_t kOptionTickCount = 5;

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
  // The texts a run would read from the fields now, the More panel's included.
  FieldTexts ReadFields() const;
  // The field whose text a run reads into text, or nullptr for a member no field fills (units).
  QLineEdit* FieldEdit(std::string FieldTexts::*text) const;
  // Reads the design file at path and shows its fields, as "Open Design..." does once a path
  // is chosen. A file that cannot be read or is refused shows its message and changes nothing.
  void OpenDesign(const QString& path);

  // The handlers, each wired to its control's event and to nothing else.
  void Form_Load();
  void Command1_Click();
  void Combo1_Click();
  void ComboUnits_Click();
  void CmdSelectGCODE_Click();
  void CmdGCodeSave_Click();
  void CmdDXFSave_Click();
  void CmdAbout_Click();
  void CmdMore_Click();
  void CmdSVGSave_Click();
  void CmdOpenDesign_Click();
  void CmdSaveDesign_Click();
  void CmdSeatClearanceANSI_Click();
  void CmdTipDiameterANSI_Click();
  void CmdThicknessANSI_Click();
  void CmdToolpathSave_Click();
  void CmdModelSave_Click();
  void CheckShowToolpath_Click();
  void Check1_Click();
  void txtToolDiameter_Change();

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
    QLabel* Label15 = nullptr;  // the caption under the picture
    QLabel* LabelResultsNote = nullptr;
    QPlainTextEdit* txtInfo = nullptr;
    QPushButton* CmdSelectGCODE = nullptr;
    QPushButton* CmdGCodeSave = nullptr;
    QPushButton* CmdDXFSave = nullptr;
    QPushButton* CmdAbout = nullptr;
    TextStore* txtDXF = nullptr;
    QPushButton* CmdMore = nullptr;
    QWidget* MorePanel = nullptr;  // holds the panel's controls; hidden while closed
    // The panel's text fields and tick boxes, in the order of the option tables in
    // main_window.cpp.
    std::array<QLineEdit*, kOptionFieldCount> options{};
    std::array<QCheckBox*, kOptionTickCount> ticks{};
    QPushButton* CmdSeatClearanceANSI = nullptr;
    QPushButton* CmdTipDiameterANSI = nullptr;
    QLineEdit* txtSeatClearance = nullptr;
    QLineEdit* txtTipDiameter = nullptr;
    QLineEdit* txtToolDiameter = nullptr;
    QLineEdit* txtThickness = nullptr;
    QPushButton* CmdThicknessANSI = nullptr;
    QCheckBox* CheckShowToolpath = nullptr;
    QLineEdit* txtCutLength = nullptr;
    QLineEdit* txtCutTime = nullptr;
    QPushButton* CmdSVGSave = nullptr;
    QPushButton* CmdToolpathSave = nullptr;
    QPushButton* CmdModelSave = nullptr;
    QPushButton* CmdOpenDesign = nullptr;
    QPushButton* CmdSaveDesign = nullptr;
    TextStore* txtSVG = nullptr;
  };

  // What the last successful run built and wrote (main_window.cpp).
  struct LastRun;

  void BuildControls();
  void WireEvents();
  // The tick box whose state a run reads into ticked; nullptr for one the window has none of.
  QCheckBox* TickBox(bool FieldTexts::*ticked) const;
  // Puts every text and tick of fields into the window, the units first without converting.
  void ShowDesign(const FieldTexts& fields);
  // The folder a dialog opens in when it proposes no file: the last folder, else the default.
  QString StartFolder() const;
  // Keeps the last folder and the panel's state for the next session.
  void KeepPreferences();
  // Options in force: the panel's fields that are not empty (a run reads an empty one as
  // off), and a ticked M2 box.
  int OptionsInForce() const;
  // The More button's caption after the panel opened or closed or an option changed.
  void RefreshMoreCaption();
  // The unit suffixes of the fields after a switch, and of the results after a run.
  void RefreshUnitSuffixes();
  // The saves of what a run made, each disabled while the results are stale.
  std::vector<QPushButton*> ResultSaves() const;
  // The run's program read back: the cut's figures in their fields, the toolpath over the
  // picture when Show Toolpath is ticked, and the caption under the picture for what it shows.
  void ShowProgramResults();
  void DrawToolpathIfShown();
  // The results no longer match the fields: the saves are disabled and the note says so. Has
  // no effect before the first run that succeeded, when there is nothing to save but the
  // G-code box.
  void MarkResultsStale();
  // Shows a refused field's message and reason, and puts the focus in the field.
  void ShowRefusal(const FieldError& error);
  // A run succeeded: the saves are enabled, the note cleared, the results' suffixes in its unit.
  void ShowResultsCurrent();
  // Writes text into the note line of the results area, shortened to fit; whole in its tip.
  void ShowNote(const QString& text);
  // Asks for a path, offering filters with selected_filter selected and the last saved name
  // with extension, and writes text to it unchanged. The path confirmed (written or not), or
  // nullopt when the dialog was cancelled.
  std::optional<QString> SaveWithDialog(const QStringList& filters, const QString& selected_filter,
                                        const QString& extension, const QString& text);
  // The dialog of SaveWithDialog alone: the path to write (with the filter's extension added
  // when none is typed) and the filter confirmed, or nullopt when cancelled. The last save
  // becomes the path.
  std::optional<SaveChoice> AskSave(const QStringList& filters, const QString& selected_filter,
                                    const QString& extension);
  // Says in the note that path was written, or in a message why not (failure, from the write).
  void ReportSave(const QString& path, const std::optional<QString>& failure);

  // A field that shows a unit, with the text it was typed in for a switch to convert.
  struct UnitFieldState {
    QLineEdit* field;
    QLabel* suffix;
    FieldUnit unit;
    TypedLength text;
  };

  std::unique_ptr<WindowServices> own_services_;
  WindowServices* services_;
  Controls ui_;
  std::unique_ptr<LastRun> last_run_;  // none before the first successful run, and while Go
                                       // has cleared the results it replaces
  std::vector<UnitFieldState> unit_fields_;
  std::vector<QLabel*> result_suffixes_;  // of the two computed diameters
  QString current_units_;
  LastSave last_save_;               // shared by every save and open
  QString gcode_extension_ = "cam";  // proposed by the next G-code save
  bool has_results_ = false;         // a run has succeeded since the window opened
  bool results_stale_ = false;       // ... and the fields changed since the last one
  bool more_open_ = false;
};

}  // namespace toothwright
