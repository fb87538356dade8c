#include "ui/solid_view_window.h"

#include <QHBoxLayout>
#include <QOpenGLContext>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <utility>

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

ViewBuild BuildViewMesh(const Job& job) {
  const ModelsWritten written = WriteModels(job, {.stl = true});
  if (const auto* missing = std::get_if<ModelsUnavailable>(&written)) {
    return QString::fromStdString(missing->message);
  }
  if (const auto* error = std::get_if<FieldError>(&written)) {
    return QString::fromStdString(error->message + ": " + error->reason);
  }
  std::optional<ViewMesh> mesh = ReadViewMesh(*std::get<ModelFiles>(written).stl);
  if (!mesh) return QStringLiteral("The solid has no faces to show");
  return std::move(*mesh);
}

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
  connect(&watcher_, &QFutureWatcher<ViewBuild>::finished, this, &SolidViewWindow::Finished);
}

SolidViewWindow::~SolidViewWindow() {
  // The build holds its own copy of the job; the window waits for it rather than leave it
  // reporting to nothing.
  watcher_.waitForFinished();
}

void SolidViewWindow::Show(const Job& job) {
  status_->setText(QString::fromUtf8(kBuildingMessage));
  if (Building()) {
    next_ = job;
    return;
  }
  watcher_.setFuture(QtConcurrent::run([job] { return BuildViewMesh(job); }));
}

bool SolidViewWindow::Building() const {
  return watcher_.isRunning();
}

void SolidViewWindow::Finished() {
  if (next_) {
    Job job = std::move(*next_);
    next_.reset();
    watcher_.setFuture(QtConcurrent::run([job = std::move(job)] { return BuildViewMesh(job); }));
    return;
  }
  ViewBuild build = watcher_.result();
  if (auto* why = std::get_if<QString>(&build)) {
    mesh_.reset();
    status_->setText(*why);
  } else {
    mesh_ = std::move(std::get<ViewMesh>(build));
    status_->setText(QString());
  }
  if (view_) view_->SetMesh(mesh_);
  emit Built();
}

}  // namespace toothwright
