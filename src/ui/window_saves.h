// The window's saves and opens: the G-code box, the DXF and SVG drawings, the toolpath picture,
// the 3-D model and the cut path of the last run, and the design files. Every dialog starts in the
// folder of the last file saved or opened and proposes its name with the save's own extension; a
// save written is named in the results' note, one that fails is reported in a message.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

#include "sprocket/fields.h"
#include "ui/save_names.h"
#include "ui/window_services.h"

class QWidget;

namespace toothwright {

struct Job;
class ModelBuild;
class ResultsView;

// Fixed texts of the saves: their filters, the default folder and messages. The G-code save's
// filters are GCodeFilters().
inline constexpr const char* kDxfFilter = "Cad (*.dxf)";
inline constexpr const char* kSaveFolder = "c:\\temp";
inline constexpr const char* kNothingToSaveMessage = "Nothing to save: press Go first";
inline constexpr const char* kNoDrawingMessage = "There is no DXF drawing yet: press Go first.";
inline constexpr const char* kSvgFilter = "SVG (*.svg)";
inline constexpr const char* kNoSvgMessage = "There is no SVG drawing yet: press Go first.";
inline constexpr const char* kNoToolpathMessage = "There is no toolpath yet: press Go first.";
inline constexpr const char* kNoModelMessage = "There is no part yet: press Go first.";
// The last run's program follows the part's own edges, which its drawings already hold.
inline constexpr const char* kNoCutPathMessage =
    "No cut path: give a Kerf or a Tool Diameter and press Go";
inline constexpr const char* kNoDriveDrawingMessage =
    "There is no drive yet: give driven teeth and a centre distance or links, and press Go.";
// The tip of "Save 3-D Model..." in a build without the solid, where it stays disabled.
inline constexpr const char* kNoSolidMessage = "This build of Toothwright writes no 3-D models";
// The design files' filter, offered by the open dialog with kAllFilesFilter after it and by the
// save dialog alone.
inline constexpr const char* kDesignFilter = "Toothwright design (*.toothwright)";
inline constexpr const char* kAllFilesFilter = "All files (*)";

class WindowSaves : public QObject {
  Q_OBJECT

 public:
  // Saves what results hold through services, which must outlive the saves; the save buttons
  // are window's and its panel's.
  WindowSaves(QWidget* window, QWidget* panel, ResultsView& results, WindowServices* services);

  // The folder of the last file saved or opened, kept for the next session; empty before any.
  const QString& LastFolder() const { return last_save_.folder; }
  void SetLastFolder(const QString& folder) { last_save_.folder = folder; }

  // The handlers, each wired to its control's event and to nothing else.
  void CmdGCodeSave_Click();
  void CmdDXFSave_Click();
  void CmdSVGSave_Click();
  void CmdToolpathSave_Click();
  void CmdModelSave_Click();
  void CmdCutPathSave_Click();
  // The Drive window's saves: the drive to scale as SVG, and as DXF.
  void CmdDrivePictureSave_Click();
  void CmdDriveDrawingSave_Click();

  // Asks for a design file to open; nullopt when the dialog was cancelled.
  std::optional<QString> AskDesignPath();
  // The fields of the design file at path; a file that cannot be read or is refused shows its
  // message and gives nullopt. The file's folder becomes the last one.
  std::optional<FieldTexts> ReadDesign(const QString& path);
  // Asks for a path and saves fields as typed there as a design file; the path when written.
  std::optional<QString> SaveDesign(const FieldTexts& fields);
  // Writes fields as a design file to path, where a design was opened or saved before, saying
  // why not in a message; whether it was written.
  bool SaveDesignTo(const QString& path, const FieldTexts& fields);

 signals:
  // The folder of the last file saved or opened changed.
  void LastFolderChanged();
  // The model could not be made of the last run's fields: error says which and why.
  void Refused(const FieldError& error);

 private:
  // The folder a dialog opens in when it proposes no file: the last folder, else the default.
  QString StartFolder() const;
  // Asks for a path, offering filters with selected_filter selected and the last saved name
  // with extension, and writes text to it unchanged. The path confirmed (written or not), or
  // nullopt when the dialog was cancelled.
  std::optional<QString> SaveWithDialog(const QStringList& filters, const QString& selected_filter,
                                        const QString& extension, const QString& text);
  // A drive drawing of the last run, written by write, saved through SaveWithDialog with filter;
  // without a current drive, a message says so.
  void SaveDriveDrawing(const char* filter, const char* extension,
                        std::string (*write)(const Job&));
  // The dialog of SaveWithDialog alone: the path to write (with the filter's extension added
  // when none is typed) and the filter confirmed, or nullopt when cancelled. The last save
  // becomes the path.
  std::optional<SaveChoice> AskSave(const QStringList& filters, const QString& selected_filter,
                                    const QString& extension);
  // Says in the note that path was written, or in a message why not (failure, from the write);
  // whether it was written.
  bool ReportSave(const QString& path, const std::optional<QString>& failure);

  ResultsView& results_;
  WindowServices* services_;
  LastSave last_save_;                // shared by every save and open
  QString gcode_extension_ = "cam";   // proposed by the next G-code save
  QPointer<ModelBuild> model_build_;  // the 3-D model being saved, until its build has ended
};

}  // namespace toothwright
