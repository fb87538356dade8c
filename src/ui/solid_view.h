// The part's mesh drawn shaded with its edges, turned with the mouse: drag to orbit, the wheel
// to zoom, R or Home back to the isometric view.
#pragma once

#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLWidget>
#include <QPoint>
#include <memory>
#include <optional>

#include "ui/view_mesh.h"

namespace toothwright {

class SolidView : public QOpenGLWidget, protected QOpenGLFunctions {
  Q_OBJECT

 public:
  explicit SolidView(QWidget* parent = nullptr);
  ~SolidView() override;

  // The mesh to draw; none draws the background alone.
  void SetMesh(std::optional<ViewMesh> mesh);
  bool HasMesh() const { return mesh_.has_value(); }
  const ViewMesh& Mesh() const { return *mesh_; }
  // Back to the isometric view at the whole part's size.
  void ResetView();

  // Degrees about the screen's vertical axis and then its horizontal one.
  double Yaw() const { return yaw_; }
  double Pitch() const { return pitch_; }

 protected:
  void initializeGL() override;
  void resizeGL(int width, int height) override;
  void paintGL() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::optional<ViewMesh> mesh_;
  std::unique_ptr<QOpenGLShaderProgram> program_;
  double yaw_ = 0, pitch_ = 0, zoom_ = 1;
  QPoint last_;  // where the last drag event was
};

}  // namespace toothwright
