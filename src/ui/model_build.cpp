// The build's thread only runs WriteModels (and reads the view's mesh); the dialog is changed
// on the window's thread, from calls the build's thread queues there.
#include "ui/model_build.h"

#include <QMetaObject>
#include <QProgressDialog>
#include <QThread>
#include <QWidget>
#include <variant>

namespace toothwright {

class ModelBuild::Watch : public ModelProgress {
 public:
  explicit Watch(ModelBuild& build) : build_(build) {}
  void StageStarted(ModelStage stage) noexcept override {
    // Dropped by Qt when the build is gone by the time the window's thread gets to it.
    QMetaObject::invokeMethod(
        &build_, [build = &build_, stage] { build->ShowStage(stage); }, Qt::QueuedConnection);
  }
  bool StopRequested() const noexcept override { return build_.stop_; }

 private:
  ModelBuild& build_;
};

ModelBuild::ModelBuild(const Job& job, const ModelFormats& formats, const QString& file_name,
                       QWidget* window, QObject* parent)
    : QObject(parent), file_name_(file_name) {
  dialog_ = new QProgressDialog(window);
  dialog_->setWindowTitle(QStringLiteral("Toothwright"));
  dialog_->setWindowModality(Qt::WindowModal);
  dialog_->setRange(0, 0);  // no measure of how far it is: a busy bar
  dialog_->setAutoReset(false);
  dialog_->setAutoClose(false);
  dialog_->setMinimumDuration(0);
  ShowStage(ModelStage::Solid);
  // Cancel hides the dialog at once; the build stops at its next check and is not written.
  connect(dialog_, &QProgressDialog::canceled, this, &ModelBuild::Stop);
  connect(dialog_, &QDialog::rejected, this, &ModelBuild::Stop);
  dialog_->show();
  Start(job, formats, false);
}

ModelBuild::ModelBuild(const Job& job, QObject* parent) : QObject(parent) {
  Start(job, {.stl = true}, true);
}

void ModelBuild::Start(const Job& job, const ModelFormats& formats, bool read_mesh) {
  thread_ = QThread::create([this, job, formats, read_mesh] {
    Watch watch(*this);
    result_.written = WriteModels(job, formats, &watch);
    // Here too, not on the window's thread: a large part's mesh takes a fifth of a second.
    const auto* files = std::get_if<ModelFiles>(&result_.written);
    if (read_mesh && files && files->stl && !stop_) result_.mesh = ReadViewMesh(*files->stl);
  });
  thread_->setParent(this);
  connect(thread_, &QThread::finished, this, &ModelBuild::ThreadFinished);
  thread_->start();
}

void ModelBuild::Stop() {
  stop_ = true;
}

ModelBuild::~ModelBuild() {
  stop_ = true;
  thread_->wait();
  delete dialog_;
}

QProgressDialog* ModelBuild::Dialog() const {
  return dialog_;
}

void ModelBuild::ShowStage(ModelStage stage) {
  if (!dialog_) return;
  dialog_->setLabelText(QString::fromStdString(StageText(stage, file_name_.toStdString())));
}

void ModelBuild::ThreadFinished() {
  // Gone without a word: closing it would count as Cancel. The window takes the keys back.
  QWidget* window = nullptr;
  if (dialog_) {
    disconnect(dialog_, nullptr, this, nullptr);
    if (dialog_->isActiveWindow()) window = dialog_->parentWidget();
    delete dialog_;
  }
  if (window) window->activateWindow();
  if (stop_) {
    emit Finished({.written = ModelsStopped{}});
  } else {
    emit Finished(result_);
  }
}

}  // namespace toothwright
