// A job: everything the writers need, built once from a design. The outline and the holes,
// the contours in cutting order, the path the cutter follows round each, the pass depths, the
// tabs and the program's moves. Writers walk it and never see a field's text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "geometry/extent.h"
#include "geometry/path.h"
#include "sprocket/design.h"
#include "sprocket/drive_layout.h"
#include "sprocket/fields.h"
#include "sprocket/move.h"
#include "sprocket/run.h"
#include "sprocket/toolpath.h"

namespace toothwright {

struct Job {
  Design design;
  SprocketRun sprocket;  // the outline, the holes and the two diameters, shown and as numbers
  // Per contour (Contour(c)), the path the cutter follows and its tabs: the cutter centre's
  // path with a tool diameter, split at the tabs with tabs. Empty when the program follows
  // each contour as it is.
  std::vector<Toolpath> toolpaths;
  std::vector<double> pass_depths;   // > 0 unless the depth is 0, as the program writes them
  std::optional<double> tab_depth;   // the depth of the tabs' top, as written; with tabs only
  std::vector<Move> moves;           // the milling program, a move per line (PlanMachining)
  std::optional<DriveLayout> drive;  // where the drive's parts stand; with a drive only
  // How many outlines and cutter paths building the job took: one each is the aim, and a
  // check that measured one hands it on rather than having it built again.
  int outlines_built = 0;
  int cutter_paths_built = 0;

  // The contours in cutting order: the holes, so that the part is still held while they are
  // cut, then the outline.
  size_t ContourCount() const { return sprocket.holes.size() + 1; }
  const Path& Contour(size_t c) const {
    return c < sprocket.holes.size() ? sprocket.holes[c] : sprocket.outline;
  }
  // What the program follows round contour c.
  const Path& ProgramPath(size_t c) const {
    return toolpaths.empty() ? Contour(c) : toolpaths[c].path;
  }
};

// The box holding the job's outline and holes, arcs' extremes included. Made when asked, since
// only the drawings to scale need it.
Box Extent(const Job& job);

// The job of a design, taking over what its checks built; refused on the ramp angle when a
// ramp of its program cannot be made at that angle (the reason says what would work).
std::variant<Job, FieldError> BuildJob(ReadResult read);

// The fields read into a design and built into its job: the one call of a run.
std::variant<Job, FieldError> MakeJob(const FieldTexts& fields);

}  // namespace toothwright
