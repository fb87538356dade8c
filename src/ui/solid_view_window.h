// The window of the 3-D view: the solid of the last results, built in the background, shaded
// and turned with the mouse, following each Go while it is open. It never blocks the main
// window: a build that a newer Go overtakes is dropped when it ends.
#pragma once

#include <QFutureWatcher>
#include <QLabel>
#include <QString>
#include <QWidget>
#include <optional>
#include <variant>

#include "sprocket/job.h"
#include "ui/solid_view.h"
#include "ui/view_mesh.h"

namespace toothwright {

// The window's caption, and what its status line says while a solid is built.
inline constexpr const char* kSolidViewCaption = "3-D View - Toothwright 2.0";
inline constexpr const char* kBuildingMessage = "Building the solid...";

// What a build gives the view: the mesh, or why there is none.
using ViewBuild = std::variant<ViewMesh, QString>;

// The solid of job meshed for the view (through the module that holds the kernel): the mesh,
// or the refusal's message and reason, or why no 3-D output is available.
ViewBuild BuildViewMesh(const Job& job);

class SolidViewWindow : public QWidget {
  Q_OBJECT

 public:
  explicit SolidViewWindow(QWidget* parent = nullptr);
  ~SolidViewWindow() override;

  // Builds the solid of job in the background and shows it once built.
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

 private:
  void Finished();

  SolidView* view_ = nullptr;
  QLabel* status_;
  std::optional<ViewMesh> mesh_;
  QFutureWatcher<ViewBuild> watcher_;
  // A Go while a build runs: the job built as soon as it ends, the newest only.
  std::optional<Job> next_;
};

}  // namespace toothwright
