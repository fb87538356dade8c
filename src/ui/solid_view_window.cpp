#include "ui/solid_view_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QOpenGLContext>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>
#include <variant>

#include "solid/job_model.h"

namespace toothwright {
namespace {

// Whether the display draws with OpenGL: Qt's offscreen platform, for one, does not, and a
// window holding an OpenGL widget cannot even be shown there.
bool DisplayDrawsOpenGL() {
  QOpenGLContext context;
  return context.create();
}

}  // namespace

SolidViewWindow::SolidViewWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), status_(new QLabel(this)) {
  setObjectName("SolidViewWindow");
  setWindowTitle(QString::fromUtf8(kSolidViewCaption));
  status_->setObjectName("LabelSolidViewStatus");
  auto* column = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  row->addWidget(status_, 1);
  if (DisplayDrawsOpenGL()) {
    view_ = new SolidView(this);
    view_->setObjectName("SolidView");
    view_->setMinimumSize(480, 400);
    column->addWidget(view_, 1);
    auto* reset = new QPushButton(tr("Isometric View"), this);
    reset->setObjectName("CmdIsometricView");
    reset->setToolTip(tr("Back to the isometric view (R or Home); drag to turn, wheel to zoom"));
    connect(reset, &QPushButton::clicked, view_, &SolidView::ResetView);
    row->addWidget(reset);
  } else {
    auto* missing = new QLabel(tr("This display cannot draw with OpenGL, which the view needs."));
    missing->setAlignment(Qt::AlignCenter);
    missing->setMinimumSize(480, 400);
    column->addWidget(missing, 1);
  }
  column->addLayout(row);
}

void SolidViewWindow::Show(const Job& job) {
  status_->setText(QString::fromUtf8(kBuildingMessage));
  if (Building()) {
    next_ = job;
    build_->Stop();
    return;
  }
  Start(job);
}

bool SolidViewWindow::Building() const {
  return build_ != nullptr;
}

void SolidViewWindow::closeEvent(QCloseEvent* event) {
  next_.reset();
  if (build_) build_->Stop();
  QWidget::closeEvent(event);
}

void SolidViewWindow::Start(const Job& job) {
  build_ = new ModelBuild(job, this);
  connect(build_, &ModelBuild::Finished, this, &SolidViewWindow::Finished);
}

void SolidViewWindow::Finished(const ModelBuild::Result& result) {
  build_->deleteLater();
  build_ = nullptr;
  if (next_) {
    const Job job = std::move(*next_);
    next_.reset();
    Start(job);
    return;
  }
  // Stopped as the view closed: nothing of it to show.
  if (std::holds_alternative<ModelsStopped>(result.written)) return;
  if (const auto* missing = std::get_if<ModelsUnavailable>(&result.written)) {
    status_->setText(QString::fromStdString(missing->message));
  } else if (const auto* error = std::get_if<FieldError>(&result.written)) {
    status_->setText(QString::fromStdString(error->message + ": " + error->reason));
  } else if (!result.mesh) {
    status_->setText(QStringLiteral("The solid has no faces to show"));
  } else {
    status_->setText(QString());
  }
  mesh_ = result.mesh;
  if (view_) view_->SetMesh(mesh_);
  emit Built();
}

}  // namespace toothwright
