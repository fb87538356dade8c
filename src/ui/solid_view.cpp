// One small shader program draws both the faces, lit from the viewer's side, and the edges in
// a single colour, pushed a little towards the viewer so that they show over their faces. The
// part's arrays stay in memory and are handed to the program at each paint, which software
// rendering does as fast as buffers.
#include "ui/solid_view.h"

#include <QKeyEvent>
#include <QMatrix4x4>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <utility>

namespace toothwright {
namespace {

// The isometric view: the part's face turned 45 degrees and tipped back towards the viewer.
constexpr double kIsometricYaw = -45;
constexpr double kIsometricPitch = -54.7356;
// Degrees a drag of one pixel turns the part; how far a wheel step zooms.
constexpr double kDegreesPerPixel = 0.5;
constexpr double kZoomStep = 1.15;
constexpr double kNearestZoom = 0.2, kFarthestZoom = 20;

constexpr const char* kVertexShader = R"(
attribute vec3 position;
attribute vec3 normal;
uniform mat4 transform;
uniform mat3 turn;
uniform float lit;
varying float light;
void main() {
  vec3 n = normalize(turn * normal);
  light = mix(1.0, 0.3 + 0.7 * abs(n.z), lit);
  gl_Position = transform * vec4(position, 1.0);
}
)";

constexpr const char* kFragmentShader = R"(
uniform vec4 colour;
varying float light;
void main() {
  gl_FragColor = vec4(colour.rgb * light, colour.a);
}
)";

}  // namespace

SolidView::SolidView(QWidget* parent) : QOpenGLWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  ResetView();
}

SolidView::~SolidView() {
  makeCurrent();
  program_.reset();
  doneCurrent();
}

void SolidView::SetMesh(std::optional<ViewMesh> mesh) {
  mesh_ = std::move(mesh);
  update();
}

void SolidView::ResetView() {
  yaw_ = kIsometricYaw;
  pitch_ = kIsometricPitch;
  zoom_ = 1;
  update();
}

void SolidView::initializeGL() {
  initializeOpenGLFunctions();
  program_ = std::make_unique<QOpenGLShaderProgram>();
  program_->addShaderFromSourceCode(QOpenGLShader::Vertex, kVertexShader);
  program_->addShaderFromSourceCode(QOpenGLShader::Fragment, kFragmentShader);
  program_->bindAttributeLocation("position", 0);
  program_->bindAttributeLocation("normal", 1);
  program_->link();
}

void SolidView::resizeGL(int width, int height) {
  glViewport(0, 0, width, height);
}

void SolidView::paintGL() {
  glClearColor(0.96f, 0.96f, 0.96f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (!mesh_ || !program_->isLinked()) return;
  glEnable(GL_DEPTH_TEST);
  QMatrix4x4 turn;
  turn.rotate(static_cast<float>(pitch_), 1, 0, 0);
  turn.rotate(static_cast<float>(yaw_), 0, 0, 1);
  const float aspect = static_cast<float>(std::max(width(), 1)) / std::max(height(), 1);
  const float reach = static_cast<float>(1.05 / zoom_);
  QMatrix4x4 transform;
  // Depth runs the other way from a right-handed view: nearer is smaller.
  transform.ortho(-reach * aspect, reach * aspect, -reach, reach, -2, 2);
  transform *= turn;
  program_->bind();
  program_->setUniformValue("transform", transform);
  program_->setUniformValue("turn", turn.normalMatrix());
  program_->enableAttributeArray(0);

  // The faces, a little behind the edges drawn on them.
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(1, 1);
  program_->setUniformValue("lit", 1.0f);
  program_->setUniformValue("colour", QVector4D(0.55f, 0.62f, 0.72f, 1));
  program_->enableAttributeArray(1);
  program_->setAttributeArray(0, GL_FLOAT, mesh_->positions.data(), 3);
  program_->setAttributeArray(1, GL_FLOAT, mesh_->normals.data(), 3);
  glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(mesh_->positions.size() / 3));
  glDisable(GL_POLYGON_OFFSET_FILL);

  program_->disableAttributeArray(1);
  program_->setAttributeValue(1, QVector3D(0, 0, 1));
  program_->setUniformValue("lit", 0.0f);
  program_->setUniformValue("colour", QVector4D(0.1f, 0.1f, 0.12f, 1));
  program_->setAttributeArray(0, GL_FLOAT, mesh_->edges.data(), 3);
  glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(mesh_->edges.size() / 3));
  program_->disableAttributeArray(0);
  program_->release();
}

void SolidView::mousePressEvent(QMouseEvent* event) {
  last_ = event->position().toPoint();
}

void SolidView::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  const QPoint at = event->position().toPoint();
  yaw_ += (at.x() - last_.x()) * kDegreesPerPixel;
  pitch_ += (at.y() - last_.y()) * kDegreesPerPixel;
  last_ = at;
  update();
}

void SolidView::wheelEvent(QWheelEvent* event) {
  const double steps = event->angleDelta().y() / 120.0;
  zoom_ = std::clamp(zoom_ * std::pow(kZoomStep, steps), kNearestZoom, kFarthestZoom);
  update();
}

void SolidView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_R || event->key() == Qt::Key_Home) {
    ResetView();
    return;
  }
  QOpenGLWidget::keyPressEvent(event);
}

}  // namespace toothwright
