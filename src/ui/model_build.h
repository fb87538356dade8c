// "Save 3-D Model" once its file is chosen: the model built on a thread of its own, so that
// the window stays responsive, while a progress dialog modal to the window names the stage
// and offers Cancel.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>

#include "solid/job_model.h"

class QProgressDialog;
class QThread;
class QWidget;

namespace toothwright {

class ModelBuild : public QObject {
  Q_OBJECT

 public:
  // Starts building the model of job in formats and shows the dialog over window at once;
  // file_name is the name of the file the model is saved to, which its "Writing" stage names.
  ModelBuild(const Job& job, const ModelFormats& formats, const QString& file_name, QWidget* window,
             QObject* parent);
  // A build still running is asked to stop and waited for; Finished is not emitted then.
  ~ModelBuild() override;
  ModelBuild(const ModelBuild&) = delete;
  ModelBuild& operator=(const ModelBuild&) = delete;

  // The progress dialog; null once the build has ended.
  QProgressDialog* Dialog() const;

 signals:
  // The build ended and its dialog is gone: result as WriteModels made it, or ModelsStopped
  // once Cancel was pressed, whatever the build made meanwhile.
  void Finished(const ModelsWritten& result);

 private:
  class Watch;

  void ShowStage(ModelStage stage);
  void ThreadFinished();

  QString file_name_;
  QPointer<QProgressDialog> dialog_;
  std::atomic<bool> stop_{false};  // Cancel was pressed; read by the build's thread
  ModelsWritten result_;           // the build's thread's, until it has finished
  QThread* thread_ = nullptr;      // a child of this object
};

}  // namespace toothwright
