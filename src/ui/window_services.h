// What the main window asks of the desktop: message boxes, the save dialog, file writing and
// letting pending events through. The window reaches them only through this interface, so
// tests stand in for the dialogs without a person at the screen.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace toothwright {

// What a save dialog is opened with.
struct SaveRequest {
  QStringList filters;      // the entries offered, each "Description (*.ext ...)", in order
  QString selected_filter;  // the entry selected when the dialog opens, one of filters
  QString initial_folder;   // opened when it exists and no file name is proposed
  QString file_name;        // the path proposed; "" before the first save
};

// What the person confirmed in a save dialog.
struct SaveChoice {
  QString path;    // as the dialog returns it
  QString filter;  // the entry selected at the moment of confirming
};

class WindowServices {
 public:
  virtual ~WindowServices() = default;

  // A modal message box titled "Toothwright" with an OK button only and no icon; lines of
  // prompt are separated by CR LF. Returns when it is dismissed.
  virtual void ShowMessage(const QString& prompt) = 0;

  // The same box for a refused field: the message as it stands, and below it, when not empty,
  // the line saying why.
  virtual void ShowRefusal(const QString& message, const QString& reason) = 0;

  // The modal save dialog, opened on request.file_name (else in request.initial_folder, else
  // in the dialog's default folder); a name typed without an extension gets the selected
  // filter's first one, and the dialog asks before an existing file is replaced. The path and
  // filter the user confirmed, or nullopt when cancelled.
  virtual std::optional<SaveChoice> AskSavePath(const SaveRequest& request) = 0;

  // Creates or replaces the file at path with text encoded as UTF-8, atomically: on failure
  // an existing file keeps its content. nullopt when written, else the reason it was not.
  virtual std::optional<QString> WriteTextFile(const QString& path, const QString& text) = 0;

  // Handles the window events pending at this moment, once, without waiting for more.
  virtual void ProcessPendingEvents() = 0;
};

}  // namespace toothwright
