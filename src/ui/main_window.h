// The one window of Toothwright, the form fgfgfg, composed of its parts: the main form (the
// chain, the units, the lengths, the teeth, the optional G-code parameters, Go), the More panel
// (the tooth-form, machining, solid and mounting options), the results and the preview, and the
// saves. Each event the window handles runs one handler named after its control and event; the
// fields are the only state a handler leaves behind, apart from the unit in force with the typed
// text of each length field, the folder and name of the last file saved or opened, what the last
// successful run built and wrote, whether the results still match the fields and whether the
// panel is open. The last folder and the panel's state are kept for the next session through the
// services; the fields are not.
#pragma once

#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "sprocket/fields.h"
#include "ui/drive_window.h"
#include "ui/main_form.h"
#include "ui/more_panel.h"
#include "ui/results_view.h"
#include "ui/solid_view_window.h"
#include "ui/unit_switch.h"
#include "ui/window_saves.h"
#include "ui/window_services.h"

class QCheckBox;
class QCloseEvent;
class QLineEdit;

namespace toothwright {

// The window's caption.
inline constexpr const char* kWindowCaption = "Toothwright 2.0";

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  // Builds the window and runs Form_Load. With services nullptr the window uses the real
  // desktop; otherwise services must outlive the window.
  explicit MainWindow(WindowServices* services = nullptr, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The unit system the length fields are in: the units list's text, "English" or "Metric".
  QString CurrentUnits() const;
  // The DXF text of the last run, held for "Save DXF File"; empty before the first run.
  QString DxfText() const;
  // The texts a run would read from the fields now, the More panel's included.
  FieldTexts ReadFields() const;
  // The field whose text a run reads into text, or nullptr for a member no field fills (units).
  QLineEdit* FieldEdit(std::string FieldTexts::*text) const;
  // Reads the design file at path and shows its fields, as "Open Design..." does once a path
  // is chosen. A file that cannot be read or is refused shows its message and changes nothing.
  void OpenDesign(const QString& path);

  // The results and the preview, with their own handlers.
  ResultsView& Results() { return *results_; }

  // The handlers of the controls that join the parts, each wired to its control's event and to
  // nothing else; the parts' own handlers are theirs.
  void Form_Load();
  void Command1_Click();
  void ComboUnits_Click();
  void CmdAbout_Click();
  void CmdMore_Click();
  void CmdOpenDesign_Click();
  void CmdSaveDesign_Click();
  void Check1_Click();
  void txtToolDiameter_Change();
  void cboProcess_Change();
  void CmdSolidView_Click();
  void CmdDrive_Click();

  // The 3-D view's window once opened; nullptr before.
  SolidViewWindow* SolidViewOpened() const { return solid_view_; }
  // The Drive window, made hidden with the window.
  DriveWindow& Drive() { return *drive_; }

 protected:
  // Closing with fields changed since the design file was opened or saved asks whether to
  // save them there first; Cancel, or a save that fails, keeps the window open.
  void closeEvent(QCloseEvent* event) override;

 private:
  // The design file the fields were last opened from or saved to, and the fields then.
  struct DesignFile {
    QString path;
    FieldTexts fields;
  };

  void BuildParts();
  void WireEvents();
  void WireChangesAndEnter();
  void WireShortcuts();
  // The tick box whose state a run reads into ticked.
  QCheckBox* TickBox(bool FieldTexts::*ticked) const;
  // Puts every text and tick of fields into the window, the units first without converting.
  void ShowDesign(const FieldTexts& fields);
  // Keeps the last folder and the panel's state for the next session.
  void KeepPreferences();
  // The More button's caption after the panel opened or closed or an option changed.
  void RefreshMoreCaption();
  // The caption: the design file's name, with an asterisk once a field differs from it, before
  // the product's name.
  void RefreshTitle();
  // Shows a refused field's message and reason, and puts the focus in the field.
  void ShowRefusal(const FieldError& error);
  // Enables the fields and ticks the process typed takes and greys, keeping their texts, those it
  // refuses (every one for a word that names no process); the tool diameter and the offset tick
  // each leave no room for the other as well.
  void EnableFieldsOfProcess();

  std::unique_ptr<WindowServices> own_services_;
  WindowServices* services_;
  // The parts; Qt's children of the window, which deletes them.
  MorePanel* panel_ = nullptr;
  MainForm* form_ = nullptr;
  ResultsView* results_ = nullptr;
  WindowSaves* saves_ = nullptr;
  UnitSwitch units_;
  std::optional<DesignFile> design_file_;
  SolidViewWindow* solid_view_ = nullptr;  // made when first opened; a child of the window
  DriveWindow* drive_ = nullptr;           // the drive's fields live in it; a child window
};

}  // namespace toothwright
