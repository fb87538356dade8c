// What the main window asks of the desktop: message boxes, the save dialog, file writing and
// letting pending events through. The window reaches them only through this interface, so
// tests stand in for the dialogs without a person at the screen.
#pragma once

#include <QString>
#include <optional>

namespace toothwright {

// The state of the save dialog that both save commands share.
struct SaveRequest {
  QString filter;          // one filter entry, "Description (*.ext)"
  QString initial_folder;  // opened when it exists and no file name is known yet
  QString file_name;       // the path last confirmed in either save; "" before the first
};

class WindowServices {
 public:
  virtual ~WindowServices() = default;

  // A modal message box titled "Toothwright" with an OK button only and no icon; lines of
  // prompt are separated by CR LF. Returns when it is dismissed.
  virtual void ShowMessage(const QString& prompt) = 0;

  // The modal save dialog, opened on request.file_name (else in request.initial_folder, else
  // in the dialog's default folder); asks before an existing file is replaced. The path the
  // user confirmed, or nullopt when cancelled.
  virtual std::optional<QString> AskSavePath(const SaveRequest& request) = 0;

  // Creates or replaces the file at path with text encoded as UTF-8, atomically: on failure
  // an existing file keeps its content. nullopt when written, else the reason it was not.
  virtual std::optional<QString> WriteTextFile(const QString& path, const QString& text) = 0;

  // Handles the window events pending at this moment, once, without waiting for more.
  virtual void ProcessPendingEvents() = 0;
};

}  // namespace toothwright
