// A 3-D model built on a thread of its own, so that the window stays responsive, and stopped
// when asked. "Save 3-D Model" builds once its file is chosen, while a progress dialog modal to
// the window names the stage and offers Cancel; the 3-D view builds without a dialog, reads
// its mesh on the same thread, and stops its build when it closes or a newer Go replaces it.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <optional>

#include "solid/job_model.h"
#include "ui/view_mesh.h"

class QProgressDialog;
class QThread;
class QWidget;

namespace toothwright {

class ModelBuild : public QObject {
  Q_OBJECT

 public:
  // What a build ends with.
  struct Result {
    // As WriteModels made it, or ModelsStopped once the build was asked to stop, whatever the
    // build made meanwhile.
    ModelsWritten written;
    // The view's build: the mesh of the STL made, none when it holds no triangle or no STL
    // was made.
    std::optional<ViewMesh> mesh;
  };

  // The save's build: starts building the model of job in formats and shows the dialog over
  // window at once; file_name is the name of the file the model is saved to, which its
  // "Writing" stage names. Cancel stops the build.
  ModelBuild(const Job& job, const ModelFormats& formats, const QString& file_name, QWidget* window,
             QObject* parent);
  // The view's build: starts building the solid of job, meshed as for STL, with no dialog.
  ModelBuild(const Job& job, QObject* parent);
  // A build still running is asked to stop and waited for; Finished is not emitted then.
  ~ModelBuild() override;
  ModelBuild(const ModelBuild&) = delete;
  ModelBuild& operator=(const ModelBuild&) = delete;

  // Asks the build to stop; it ends at its next check, as ModelsStopped.
  void Stop();
  // The progress dialog; null for the view's build and once the build has ended.
  QProgressDialog* Dialog() const;

 signals:
  // The build ended, and its dialog is gone.
  void Finished(const Result& result);

 private:
  class Watch;

  // Starts the build's thread; read_mesh: the view's build, which reads the STL's mesh too.
  void Start(const Job& job, const ModelFormats& formats, bool read_mesh);
  void ShowStage(ModelStage stage);
  void ThreadFinished();

  QString file_name_;
  QPointer<QProgressDialog> dialog_;
  std::atomic<bool> stop_{false};  // Cancel was pressed or Stop called; read by the build's thread
  Result result_;                  // the build's thread's, until it has finished
  QThread* thread_ = nullptr;      // a child of this object
};

}  // namespace toothwright
