// The window of the 3-D view: the solid of the last results, built in the background, shaded
// and turned with the mouse, following each Go while it is open. It never blocks the main
// window: a build that a newer Go overtakes, or that is under way when the view closes, is
// stopped.
#pragma once

#include <QLabel>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <optional>

#include "sprocket/job.h"
#include "ui/model_build.h"
#include "ui/solid_view.h"
#include "ui/view_mesh.h"

class QCloseEvent;

namespace toothwright {

// The window's caption, and what its status line says while a solid is built.
inline constexpr const char* kSolidViewCaption = "3-D View - Toothwright 2.0";
inline constexpr const char* kBuildingMessage = "Building the solid...";

class SolidViewWindow : public QWidget {
  Q_OBJECT

 public:
  explicit SolidViewWindow(QWidget* parent = nullptr);

  // Builds the solid of job in the background and shows it once built; a build under way is
  // stopped, and this one begins once it has ended.
  void Show(const Job& job);
  // Whether a build is under way.
  bool Building() const;

  // The last mesh built, if any.
  const std::optional<ViewMesh>& Mesh() const { return mesh_; }
  // The drawing; nullptr where the display cannot draw OpenGL, where a line says so instead.
  SolidView* View() { return view_; }

 signals:
  // A build ended and its result is shown.
  void Built();

 protected:
  // Closing stops a build under way; its result is not shown.
  void closeEvent(QCloseEvent* event) override;

 private:
  void Start(const Job& job);
  void Finished(const ModelBuild::Result& result);

  SolidView* view_ = nullptr;
  QLabel* status_;
  std::optional<ViewMesh> mesh_;
  QPointer<ModelBuild> build_;  // under way, until it has ended; a child of the window
  // A Go while a build runs: the job built as soon as that build ends, the newest only.
  std::optional<Job> next_;
};

}  // namespace toothwright
