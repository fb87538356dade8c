// Dialogs, files and the event loop through Qt.
#include "ui/qt_window_services.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

namespace toothwright {

QtWindowServices::QtWindowServices(QWidget* dialog_parent) : dialog_parent_(dialog_parent) {}

void QtWindowServices::ShowMessage(const QString& prompt) {
  // A label breaks lines at LF; the CR of each CR LF would show as a stray character.
  QString text = prompt;
  text.replace("\r\n", "\n");
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Toothwright"), text, QMessageBox::Ok,
                  dialog_parent_);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

std::optional<QString> QtWindowServices::AskSavePath(const SaveRequest& request) {
  QString start = request.file_name;
  if (start.isEmpty() && QFileInfo(request.initial_folder).isDir()) start = request.initial_folder;
  const QString path =
      QFileDialog::getSaveFileName(dialog_parent_, QString(), start, request.filter);
  if (path.isEmpty()) return std::nullopt;
  return path;
}

std::optional<QString> QtWindowServices::WriteTextFile(const QString& path, const QString& text) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  const QByteArray bytes = text.toUtf8();
  // QSaveFile (Qt 6.4) commits even when flushing its buffer failed, replacing the old file
  // with a cut-off one, so the flush is checked here first.
  errno = 0;
  if (file.write(bytes) != bytes.size() || !file.flush()) {
    // The system's reason names the cause ("File too large", "No space left on device");
    // Qt's text for a failed flush may not.
    const QString reason =
        errno != 0 ? QString::fromLocal8Bit(std::strerror(errno)) : file.errorString();
    file.cancelWriting();
    return reason;
  }
  if (!file.commit()) return file.errorString();
  return std::nullopt;
}

void QtWindowServices::ProcessPendingEvents() {
  QApplication::processEvents();
}

}  // namespace toothwright
