// The window services on a real desktop: QMessageBox, QFileDialog, QFile and QSaveFile,
// QSettings and the application's event loop.
#pragma once

#include <QPointer>
#include <QWidget>

#include "ui/window_services.h"

namespace toothwright {

// Where the preferences are kept: in the person's settings, QSettings("toothwright",
// "toothwright"), or nowhere, for a window whose start must not depend on the last session
// (the README's picture, the measurements, tests).
enum class PreferenceStore { UserSettings, Nowhere };

class QtWindowServices : public WindowServices {
 public:
  // Dialogs are modal to dialog_parent (may be nullptr).
  explicit QtWindowServices(QWidget* dialog_parent = nullptr,
                            PreferenceStore store = PreferenceStore::UserSettings);

  void ShowMessage(const QString& prompt) override;
  void ShowRefusal(const QString& message, const QString& reason) override;
  std::optional<SaveChoice> AskSavePath(const SaveRequest& request) override;
  bool ConfirmReplace(const QString& path) override;
  CloseAnswer AskSaveChanges(const QString& name) override;
  std::optional<QString> AskOpenPath(const OpenRequest& request) override;
  std::variant<QByteArray, QString> ReadFileStart(const QString& path, qint64 max_bytes) override;
  // A regular file (or a new path) is replaced through QSaveFile; a device, a pipe or a FIFO
  // already at path is opened and written straight through, never replaced. A symbolic link
  // stays a link: QSaveFile follows it and writes its target, created when it does not exist
  // yet (a dangling link).
  std::optional<QString> WriteTextFile(const QString& path, const QString& text) override;
  std::optional<QString> WriteBinaryFile(const QString& path, const QByteArray& bytes) override;
  // With PreferenceStore::Nowhere: the defaults, and nothing is kept.
  Preferences LoadPreferences() override;
  void SavePreferences(const Preferences& preferences) override;
  void ProcessPendingEvents() override;

 private:
  QPointer<QWidget> dialog_parent_;
  PreferenceStore store_;
};

}  // namespace toothwright
