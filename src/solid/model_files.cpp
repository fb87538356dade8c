// The part's sizes across the teeth come from the design; its outline and holes from the job,
// exactly as the 2-D outputs draw them.
#include "solid/model_files.h"

#include <utility>

#include "numbers/numbers.h"
#include "solid/drive_assembly.h"
#include "solid/mesh.h"
#include "solid/solid_model.h"
#include "solid/solid_part.h"
#include "solid/vector_state.h"
#include "solid/writers.h"
#include "sprocket/tooth_width.h"

namespace toothwright {
namespace {

FieldError Unbuildable(const std::string& reason) {
  return Refuse(Field::Thickness, "The part cannot be made as one solid: " + reason);
}

SolidPart PartOf(const Job& job) {
  const Design& d = job.design;
  const SolidOptions& s = d.solid;
  return {.outline = job.sprocket.outline,
          .holes = job.sprocket.holes,
          .tooth = UnroundedTooth(job.sprocket, 1),
          .thickness = *s.thickness,
          .chamfer = d.tooth_chamfer,
          .pitch = d.tooth.pitch,
          .chamfer_share = ChamferShare(d.chain ? d.chain->standard : ChainStandard::Ansi),
          .hub = s.hub,
          .strands = s.strands,
          .transverse_pitch = s.transverse_pitch,
          .web_radius = WebRadius(d.tooth.pitch, d.tooth.teeth, d.tooth.wall_radius, d.unit),
          .unit = d.unit,
          .mesh_tolerance = s.mesh_tolerance};
}

}  // namespace

BuiltModelFiles BuildModelFiles(const Job& job, const ModelFormats& formats,
                                ModelProgress* progress) {
  if (!job.design.solid.thickness) {
    return Refuse(Field::Thickness, "A 3-D model needs a thickness, or ANSI");
  }
  ClearVectorUpperHalves();
  // Each stage is announced as it begins. A stop asked for is heeded before the next stage
  // and within the kernel's long operations, which then fail: a failure once a stop was asked
  // for is that stop, not a fault of the part.
  const auto stopped = [progress] { return progress != nullptr && progress->StopRequested(); };
  const auto begin = [progress, &stopped](ModelStage stage) {
    if (stopped()) return false;
    if (progress != nullptr) progress->StageStarted(stage);
    return true;
  };
  const auto failed = [&stopped](const SolidError& error) -> BuiltModelFiles {
    if (stopped()) return ModelsStopped{};
    return Unbuildable(error.reason);
  };

  if (!begin(ModelStage::Solid)) return ModelsStopped{};
  auto built = BuildSolid(PartOf(job), progress);
  if (auto* error = std::get_if<SolidError>(&built)) return failed(*error);
  const SolidModel& model = std::get<SolidModel>(built);
  ModelFiles files;
  if (formats.step) {
    if (!begin(ModelStage::StepFile)) return ModelsStopped{};
    auto step = WriteStep(model, progress);
    if (auto* error = std::get_if<SolidError>(&step)) return failed(*error);
    files.step = std::get<std::string>(std::move(step));
  }
  if (formats.stl || formats.three_mf) {
    if (!begin(ModelStage::Mesh)) return ModelsStopped{};
    auto mesh = MeshSolid(model, progress);
    if (auto* error = std::get_if<SolidError>(&mesh)) return failed(*error);
    const TriangleMesh& triangles = std::get<TriangleMesh>(mesh);
    if (formats.stl) {
      if (!begin(ModelStage::StlFile)) return ModelsStopped{};
      files.stl = WriteStl(triangles);
    }
    if (formats.three_mf) {
      if (!begin(ModelStage::ThreeMfFile)) return ModelsStopped{};
      auto three_mf = Write3mf(triangles);
      if (auto* error = std::get_if<SolidError>(&three_mf)) return failed(*error);
      files.three_mf = std::get<std::string>(std::move(three_mf));
    }
  }
  if (formats.drive_step && job.drive) {
    if (!begin(ModelStage::DriveStepFile)) return ModelsStopped{};
    auto step = WriteDriveStep(job, PartOf(job), model, progress);
    if (auto* error = std::get_if<SolidError>(&step)) return failed(*error);
    files.drive_step = std::get<std::string>(std::move(step));
  }
  if (stopped()) return ModelsStopped{};
  return files;
}

}  // namespace toothwright
