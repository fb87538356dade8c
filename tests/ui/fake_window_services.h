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

  // Answers with the next scripted path; nullopt (cancel) once the script runs out.
  std::optional<QString> AskSavePath(const SaveRequest& request) override {
    requests.append(request);
    if (save_answers.isEmpty()) return std::nullopt;
    return save_answers.takeFirst();
  }

  void ProcessPendingEvents() override {
    ++pending_event_passes;
    if (on_pending_events) on_pending_events();
  }

  QStringList messages;
  QList<SaveRequest> requests;
  QList<std::optional<QString>> save_answers;
  int pending_event_passes = 0;
  std::function<void()> on_pending_events;  // stands in for what the user does meanwhile
};

}  // namespace toothwright
