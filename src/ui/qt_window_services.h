// The window services on a real desktop: QMessageBox, QFileDialog, QSaveFile and the
// application's event loop.
#pragma once

#include <QPointer>
#include <QWidget>

#include "ui/window_services.h"

namespace toothwright {

class QtWindowServices : public WindowServices {
 public:
  // Dialogs are modal to dialog_parent (may be nullptr).
  explicit QtWindowServices(QWidget* dialog_parent = nullptr);

  void ShowMessage(const QString& prompt) override;
  void ShowRefusal(const QString& message, const QString& reason) override;
  std::optional<SaveChoice> AskSavePath(const SaveRequest& request) override;
  // A regular file (or a new path) is replaced through QSaveFile; a device, a pipe or a FIFO
  // already at path is opened and written straight through, never replaced. A symbolic link
  // stays a link: QSaveFile follows it and writes its target, created when it does not exist
  // yet (a dangling link).
  std::optional<QString> WriteTextFile(const QString& path, const QString& text) override;
  void ProcessPendingEvents() override;

 private:
  QPointer<QWidget> dialog_parent_;
};

}  // namespace toothwright
