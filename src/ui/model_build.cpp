// The build's thread only runs WriteModels; the dialog is changed on the window's thread, from
// calls the build's thread queues there.
#include "ui/model_build.h"

#include <QMetaObject>
#include <QProgressDialog>
#include <QThread>
#include <QWidget>
#include <utility>

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
  connect(dialog_, &QProgressDialog::canceled, this, [this] { stop_ = true; });
  connect(dialog_, &QDialog::rejected, this, [this] { stop_ = true; });
  dialog_->show();

  thread_ = QThread::create([this, job, formats] {
    Watch watch(*this);
    result_ = WriteModels(job, formats, &watch);
  });
  thread_->setParent(this);
  connect(thread_, &QThread::finished, this, &ModelBuild::ThreadFinished);
  thread_->start();
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
    emit Finished(ModelsStopped{});
  } else {
    emit Finished(std::move(result_));
  }
}

}  // namespace toothwright
