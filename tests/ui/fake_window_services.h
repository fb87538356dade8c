// Window services for tests: message boxes are recorded instead of shown, the save dialog
// answers from a script, and files are written for real.
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

  void ProcessPendingEvents() override {
    ++pending_event_passes;
    if (on_pending_events) on_pending_events();
  }

  QStringList messages;
  QStringList reasons;  // the line below each refusal's message
  QList<SaveRequest> requests;
  QList<std::optional<QString>> save_answers;
  QStringList filter_answers;
  int pending_event_passes = 0;
  std::function<void()> on_pending_events;  // stands in for what the user does meanwhile
};

}  // namespace toothwright
