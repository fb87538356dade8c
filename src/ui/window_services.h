// What the main window asks of the desktop: message boxes, the open and save dialogs, file
// reading and writing, the preferences kept between sessions and letting pending events
// through. The window reaches them only through this interface, so tests stand in for the
// dialogs without a person at the screen and never touch the person's settings.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

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

// What an open dialog is opened with.
struct OpenRequest {
  QStringList filters;  // the entries offered, each "Description (*.ext ...)"; the first selected
  QString initial_folder;  // opened when it exists
};

// The answer to whether to save a design's changes before the window closes.
enum class CloseAnswer { Save, Discard, Cancel };

// What the window keeps from one session to the next; the fields are not among it.
struct Preferences {
  QString last_folder;     // the folder of the last file saved or opened; "" before the first
  bool more_open = false;  // the More panel was open
  bool operator==(const Preferences&) const = default;
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

  // Asks, Yes or No (No the default), whether to replace the existing file at path: for a name
  // the save dialog did not ask about, the window having added its extension. True for Yes.
  virtual bool ConfirmReplace(const QString& path) = 0;

  // Asks whether to save the changes to the design file named name before the window closes:
  // Save, Discard or Cancel (which keeps the window open).
  virtual CloseAnswer AskSaveChanges(const QString& name) = 0;

  // The modal open dialog for an existing file. The path confirmed, or nullopt when cancelled.
  virtual std::optional<QString> AskOpenPath(const OpenRequest& request) = 0;

  // The bytes at the start of the file at path, at most max_bytes of them, so that a file
  // too large to be what is asked for is never read whole; or the reason it cannot be read.
  virtual std::variant<QByteArray, QString> ReadFileStart(const QString& path,
                                                          qint64 max_bytes) = 0;

  // Creates or replaces the file at path with text encoded as UTF-8, atomically: on failure
  // an existing file keeps its content. nullopt when written, else the reason it was not.
  virtual std::optional<QString> WriteTextFile(const QString& path, const QString& text) = 0;

  // The same for bytes written as they are, such as a binary 3-D model.
  virtual std::optional<QString> WriteBinaryFile(const QString& path, const QByteArray& bytes) = 0;

  // The preferences kept from the last session; the defaults when there are none.
  virtual Preferences LoadPreferences() = 0;
  // Keeps preferences for the next session.
  virtual void SavePreferences(const Preferences& preferences) = 0;

  // Handles the window events pending at this moment, once, without waiting for more.
  virtual void ProcessPendingEvents() = 0;
};

}  // namespace toothwright
