// The part's sizes across the teeth come from the design; its outline and holes from the job,
// exactly as the 2-D outputs draw them.
#include "solid/model_files.h"

#include <utility>

#include "numbers/numbers.h"
#include "solid/mesh.h"
#include "solid/solid_model.h"
#include "solid/solid_part.h"
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

std::variant<ModelFiles, FieldError> BuildModelFiles(const Job& job, const ModelFormats& formats) {
  if (!job.design.solid.thickness) {
    return Refuse(Field::Thickness, "A 3-D model needs a thickness, or ANSI");
  }
  auto built = BuildSolid(PartOf(job));
  if (auto* error = std::get_if<SolidError>(&built)) return Unbuildable(error->reason);
  const SolidModel& model = std::get<SolidModel>(built);
  ModelFiles files;
  if (formats.step) {
    auto step = WriteStep(model);
    if (auto* error = std::get_if<SolidError>(&step)) return Unbuildable(error->reason);
    files.step = std::get<std::string>(std::move(step));
  }
  if (formats.stl || formats.three_mf) {
    auto mesh = MeshSolid(model);
    if (auto* error = std::get_if<SolidError>(&mesh)) return Unbuildable(error->reason);
    const TriangleMesh& triangles = std::get<TriangleMesh>(mesh);
    if (formats.stl) files.stl = WriteStl(triangles);
    if (formats.three_mf) {
      auto three_mf = Write3mf(triangles);
      if (auto* error = std::get_if<SolidError>(&three_mf)) return Unbuildable(error->reason);
      files.three_mf = std::get<std::string>(std::move(three_mf));
    }
  }
  return files;
}

}  // namespace toothwright
