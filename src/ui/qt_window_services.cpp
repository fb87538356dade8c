// Dialogs, files and the event loop through Qt.
#include "ui/qt_window_services.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <QSettings>
#include <cerrno>
#include <cstring>

#include "ui/save_names.h"

namespace toothwright {

namespace {

// The system's reason names the cause ("File too large", "No space left on device"); Qt's text
// for a failed flush may not. errno must be cleared before the failed call.
QString FailureReason(const QFileDevice& file) {
  return errno != 0 ? QString::fromLocal8Bit(std::strerror(errno)) : file.errorString();
}

// A device, a pipe or a FIFO: something a finished file renamed over the path would replace
// (a saved /dev/full would become a regular file). Symbolic links are followed.
bool IsSpecialFile(const QString& path) {
  const QFileInfo info(path);
  return info.exists() && !info.isFile() && !info.isDir();
}

// Opens an existing special file and writes bytes into it; it is never created or replaced.
std::optional<QString> WriteStraightThrough(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::ExistingOnly | QIODevice::Unbuffered)) {
    return file.errorString();
  }
  errno = 0;
  if (file.write(bytes) != bytes.size()) return FailureReason(file);
  return std::nullopt;
}

// The settings' organisation and application names, and their keys.
constexpr const char* kSettingsName = "toothwright";
constexpr const char* kLastFolderKey = "lastFolder";
constexpr const char* kMoreOpenKey = "morePanelOpen";

}  // namespace

QtWindowServices::QtWindowServices(QWidget* dialog_parent, PreferenceStore store)
    : dialog_parent_(dialog_parent), store_(store) {}

void QtWindowServices::ShowMessage(const QString& prompt) {
  // A label breaks lines at LF; the CR of each CR LF would show as a stray character.
  QString text = prompt;
  text.replace("\r\n", "\n");
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Toothwright"), text, QMessageBox::Ok,
                  dialog_parent_);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void QtWindowServices::ShowRefusal(const QString& message, const QString& reason) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Toothwright"), message, QMessageBox::Ok,
                  dialog_parent_);
  box.setTextFormat(Qt::PlainText);
  box.setInformativeText(reason);
  box.exec();
}

std::optional<SaveChoice> QtWindowServices::AskSavePath(const SaveRequest& request) {
  QFileDialog dialog(dialog_parent_);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(request.filters);
  // The dialog itself adds the selected filter's extension, so that it asks before replacing
  // the file that will really be written.
  const auto follow_filter = [&dialog](const QString& filter) {
    const QStringList extensions = FilterExtensions(filter);
    dialog.setDefaultSuffix(extensions.isEmpty() ? QString() : extensions.front());
  };
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow_filter);
  dialog.selectNameFilter(request.selected_filter);
  follow_filter(request.selected_filter);
  if (!request.file_name.isEmpty()) {
    dialog.selectFile(request.file_name);
  } else if (QFileInfo(request.initial_folder).isDir()) {
    dialog.setDirectory(request.initial_folder);
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty() || files.front().isEmpty()) return std::nullopt;
  return SaveChoice{files.front(), dialog.selectedNameFilter()};
}

bool QtWindowServices::ConfirmReplace(const QString& path) {
  QMessageBox box(
      QMessageBox::Warning, QStringLiteral("Toothwright"),
      QObject::tr("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(path).fileName()),
      QMessageBox::Yes | QMessageBox::No, dialog_parent_);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

CloseAnswer QtWindowServices::AskSaveChanges(const QString& name) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Toothwright"),
                  QObject::tr("Save the changes to %1 before closing?").arg(name),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, dialog_parent_);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Save);
  switch (box.exec()) {
    case QMessageBox::Save:
      return CloseAnswer::Save;
    case QMessageBox::Discard:
      return CloseAnswer::Discard;
    default:
      return CloseAnswer::Cancel;
  }
}

std::optional<QString> QtWindowServices::AskOpenPath(const OpenRequest& request) {
  QFileDialog dialog(dialog_parent_);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(request.filters);
  if (QFileInfo(request.initial_folder).isDir()) dialog.setDirectory(request.initial_folder);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty() || files.front().isEmpty()) return std::nullopt;
  return files.front();
}

std::variant<QByteArray, QString> QtWindowServices::ReadFileStart(const QString& path,
                                                                  qint64 max_bytes) {
  // A folder opens for reading on some systems and reads as nothing.
  if (QFileInfo(path).isDir()) return QStringLiteral("it is a folder");
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return file.errorString();
  QByteArray bytes = file.read(max_bytes);
  if (file.error() != QFileDevice::NoError) return file.errorString();
  return bytes;
}

std::optional<QString> QtWindowServices::WriteTextFile(const QString& path, const QString& text) {
  return WriteBinaryFile(path, text.toUtf8());
}

std::optional<QString> QtWindowServices::WriteBinaryFile(const QString& path,
                                                         const QByteArray& bytes) {
  if (IsSpecialFile(path)) return WriteStraightThrough(path, bytes);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  // QSaveFile (Qt 6.4) commits even when flushing its buffer failed, replacing the old file
  // with a cut-off one, so the flush is checked here first.
  errno = 0;
  if (file.write(bytes) != bytes.size() || !file.flush()) {
    const QString reason = FailureReason(file);
    file.cancelWriting();
    return reason;
  }
  if (!file.commit()) return file.errorString();
  return std::nullopt;
}

Preferences QtWindowServices::LoadPreferences() {
  if (store_ == PreferenceStore::Nowhere) return {};
  const QSettings settings(QString::fromLatin1(kSettingsName), QString::fromLatin1(kSettingsName));
  return {.last_folder = settings.value(kLastFolderKey).toString(),
          .more_open = settings.value(kMoreOpenKey, false).toBool()};
}

void QtWindowServices::SavePreferences(const Preferences& preferences) {
  if (store_ == PreferenceStore::Nowhere) return;
  QSettings settings(QString::fromLatin1(kSettingsName), QString::fromLatin1(kSettingsName));
  settings.setValue(kLastFolderKey, preferences.last_folder);
  settings.setValue(kMoreOpenKey, preferences.more_open);
}

void QtWindowServices::ProcessPendingEvents() {
  QApplication::processEvents();
}

}  // namespace toothwright
