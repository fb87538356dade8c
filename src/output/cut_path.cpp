// The loops are the job's toolpaths whole: a tab only splits a path's segments where the
// program switches off, and the loop still runs all round.
#include "output/cut_path.h"

#include <cassert>
#include <vector>

#include "output/drawing_svg.h"
#include "output/dxf.h"

namespace toothwright {
namespace {

// The holes' paths, in cutting order; the outline's is the job's last.
std::vector<Path> HolePaths(const Job& job) {
  std::vector<Path> holes;
  for (size_t c = 0; c + 1 < job.ContourCount(); ++c) holes.push_back(job.ProgramPath(c));
  return holes;
}

const Path& OutlinePath(const Job& job) {
  return job.ProgramPath(job.ContourCount() - 1);
}

}  // namespace

bool HasCutPath(const Job& job) {
  return job.design.machining.tool_diameter.has_value();
}

std::string WriteCutPathDxf(const Job& job) {
  assert(HasCutPath(job));
  const Design& d = job.design;
  return WriteDxf(OutlinePath(job), HolePaths(job),
                  {.units = d.dxf_units, .unit = d.unit, .polyline = d.dxf_polyline});
}

std::string WriteCutPathSvg(const Job& job) {
  assert(HasCutPath(job));
  return WriteDrawingSvg(OutlinePath(job), HolePaths(job), job.design.unit);
}

}  // namespace toothwright
