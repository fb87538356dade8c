// The job is built in the order the program cuts: the sprocket (unless a check built it), the
// holes, each contour's cutter path and tabs, the depths as the program writes them, then the
// program's moves.
#include "sprocket/job.h"

#include <utility>

#include "sprocket/cutter_path.h"
#include "sprocket/holes.h"
#include "sprocket/planner.h"

namespace toothwright {
Job BuildJob(ReadResult read) {
  Job job;
  job.design = std::move(read.design);
  const Design& d = job.design;
  const MachiningOptions& m = d.machining;
  job.outlines_built = read.paths.outlines_built;
  job.cutter_paths_built = read.paths.outline_cutter_path ? 1 : 0;
  if (read.paths.sprocket) {
    job.sprocket = std::move(*read.paths.sprocket);
  } else {
    job.sprocket = BuildSprocket(d.tooth);
    ++job.outlines_built;
  }
  job.sprocket.mounting = d.mounting;
  job.sprocket.holes = read.paths.holes ? std::move(*read.paths.holes) : BuildHoles(d.mounting);

  // A contour is reshaped only when the options ask for it; otherwise the program follows the
  // contour itself, which is not copied.
  if (ReshapesContours(m)) {
    const size_t outline = job.ContourCount() - 1;
    for (size_t c = 0; c < job.ContourCount(); ++c) {
      const Path& contour = job.Contour(c);
      if (!m.tool_diameter) {
        job.toolpaths.push_back(MakeToolpath(contour, m));
        continue;
      }
      std::optional<Path> cutter;
      if (c == outline && read.paths.outline_cutter_path) {
        cutter = std::move(read.paths.outline_cutter_path);
      } else {
        cutter = CutterPath(contour, *m.tool_diameter);
        ++job.cutter_paths_built;
      }
      // The checks made sure every cutter path exists.
      job.toolpaths.push_back(MakeToolpathAlong(contour, std::move(cutter).value(), m));
    }
  }
  job.pass_depths = PassDepths(m);
  job.tab_depth = TabDepth(m);
  job.moves = PlanMachining(job);
  return job;
}

Box Extent(const Job& job) {
  Box box;
  for (size_t c = 0; c < job.ContourCount(); ++c) box = Include(box, job.Contour(c));
  return box;
}

std::variant<Job, FieldError> MakeJob(const FieldTexts& fields) {
  auto read = ReadDesign(fields);
  if (auto* error = std::get_if<FieldError>(&read)) return std::move(*error);
  return BuildJob(std::get<ReadResult>(std::move(read)));
}

}  // namespace toothwright
