// Window services for tests: message boxes are recorded instead of shown, the open and save
// dialogs answer from scripts, files are read and written for real (and the paths written are
// recorded), and the preferences live in memory, never in the person's settings.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "ui/qt_window_services.h"

namespace toothwright {

class FakeWindowServices : public QtWindowServices {
 public:
  void ShowMessage(const QString& prompt) override { messages.append(prompt); }
  void ShowRefusal(const QString& message, const QString& reason) override {
    messages.append(message);
    reasons.append(reason);
  }

  // Answers with the next scripted path, confirmed with the next scripted filter (the one the
  // dialog opened with once that script runs out); nullopt (cancel) once the paths run out.
  std::optional<SaveChoice> AskSavePath(const SaveRequest& request) override {
    requests.append(request);
    const QString filter =
        filter_answers.isEmpty() ? request.selected_filter : filter_answers.takeFirst();
    if (save_answers.isEmpty()) return std::nullopt;
    const std::optional<QString> path = save_answers.takeFirst();
    if (!path) return std::nullopt;
    return SaveChoice{*path, filter};
  }

  // Answers with the next scripted answer; No once they run out.
  bool ConfirmReplace(const QString& path) override {
    replace_questions.append(path);
    return !replace_answers.isEmpty() && replace_answers.takeFirst();
  }

  // Answers with the next scripted answer; Cancel once they run out.
  CloseAnswer AskSaveChanges(const QString& name) override {
    close_questions.append(name);
    return close_answers.isEmpty() ? CloseAnswer::Cancel : close_answers.takeFirst();
  }

  // Answers with the next scripted path; nullopt (cancel) once they run out.
  std::optional<QString> AskOpenPath(const OpenRequest& request) override {
    open_requests.append(request);
    if (open_answers.isEmpty()) return std::nullopt;
    return open_answers.takeFirst();
  }

  // Text files are written through this too.
  std::optional<QString> WriteBinaryFile(const QString& path, const QByteArray& bytes) override {
    written.append(path);
    return QtWindowServices::WriteBinaryFile(path, bytes);
  }

  Preferences LoadPreferences() override { return preferences; }
  void SavePreferences(const Preferences& kept) override { preferences = kept; }

  void ProcessPendingEvents() override {
    ++pending_event_passes;
    if (on_pending_events) on_pending_events();
  }

  QStringList messages;
  QStringList reasons;  // the line below each refusal's message
  QList<SaveRequest> requests;
  QList<std::optional<QString>> save_answers;
  QStringList filter_answers;
  QStringList replace_questions;  // the paths asked about
  QList<bool> replace_answers;
  QStringList close_questions;  // the design names asked about
  QList<CloseAnswer> close_answers;
  QList<OpenRequest> open_requests;
  QStringList open_answers;
  QStringList written;      // every path a file was written to, in order
  Preferences preferences;  // what the last session kept, then what the window keeps
  int pending_event_passes = 0;
  std::function<void()> on_pending_events;  // stands in for what the user does meanwhile
};

}  // namespace toothwright
