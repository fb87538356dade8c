// How a 3-D build tells its caller each stage as it begins and learns that it is to stop: the
// window names the stage in its progress dialog and stops on Cancel; the CLI names the stages
// of a long build on a terminal.
#pragma once

#include <string>

namespace toothwright {

// The stages of a 3-D build in the order they begin: the solid; its STEP file; the mesh, then
// the STL and 3MF files; the chain drive's STEP assembly. A stage that no format asked for is
// left out.
enum class ModelStage { Solid, StepFile, Mesh, StlFile, ThreeMfFile, DriveStepFile };

// What a stage is called where it is shown: "Building the solid", "Meshing", or "Writing " and
// file_name, the name of the file the stage makes.
std::string StageText(ModelStage stage, const std::string& file_name);

// Watches a 3-D build for its caller. The kernel calls both from inside its own work, where an
// exception must not pass: hence noexcept, which every override must keep.
class ModelProgress {
 public:
  virtual ~ModelProgress() = default;
  // A stage begins; called on the thread that asked for the build.
  virtual void StageStarted(ModelStage stage) noexcept = 0;
  // Whether the build is to stop. Asked often while the kernel works, also from its worker
  // threads at once: it must answer quickly and be safe to call from any thread.
  virtual bool StopRequested() const noexcept = 0;
};

}  // namespace toothwright
