// The job is built in the order the program cuts: the sprocket (unless a check built it), the
// holes, each contour's cutter path and tabs, the depths as the program writes them, then the
// program's moves.
#include "sprocket/job.h"

#include <cmath>
#include <numbers>
#include <string>
#include <utility>

#include "numbers/numbers.h"
#include "numbers/units.h"
#include "sprocket/cutter_path.h"
#include "sprocket/holes.h"
#include "sprocket/planner.h"

namespace toothwright {
namespace {

// An angle rounded up at its last shown decimal: what "at least" names must work.
double RoundUp(double value, double decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::ceil(value * scale) / scale;
}

// Why a ramp cannot be made at the design's angle, and what would make it.
std::string RampShortfallReason(const RampShortfall& r, const Design& d) {
  const MachiningOptions& m = d.machining;
  const double slope = std::tan(*m.ramp_angle * std::numbers::pi / 180);
  // Written as the fields are: a drop between two written depths carries their binary
  // rounding. One that would show as 0 is said to be under the smallest length shown.
  const std::string room = LengthText(r.room, d.unit);
  const double smallest = ShownBound(0, d.unit, Bound::Above);
  std::string reason =
      "Going down " + (r.drop >= smallest / 2 ? LengthText(r.drop, d.unit)
                                              : "less than " + LengthText(smallest, d.unit));
  switch (r.where) {
    case RampRoom::EntryArc:
      reason += " along a lead-in arc " + room + " long";
      break;
    case RampRoom::BetweenTabs:
      reason += " between two tabs " + room + " apart";
      break;
    case RampRoom::Path:
      reason += " along a path " + room + " long";
      break;
  }
  reason += " takes more than " + std::to_string(kMostRampLegs) + " moves at this angle: ";
  const double least_angle =
      RoundUp(std::atan(LeastRampSlope(r.drop, r.room)) * 180 / std::numbers::pi, 1);
  const std::string angle = "a ramp angle of at least " + FormatReal(least_angle) + " degrees";
  const bool angle_works = least_angle <= kSteepestRamp;
  if (r.where == RampRoom::EntryArc) {
    // The entry arc is a quarter circle; a ten-thousandth more covers the rounding of its
    // entry point.
    const double radius = LeastRampRoom(r.drop, slope) / (std::numbers::pi / 2);
    reason += "a lead-in of at least " + BoundText(radius + 1e-4, d.unit, Bound::AtLeast);
    return reason + (angle_works ? " or " + angle : "") + " works";
  }
  if (r.where == RampRoom::BetweenTabs) {
    return reason + (angle_works ? angle + " works, or fewer or narrower tabs"
                                 : "fewer or narrower tabs leave it room");
  }
  return reason +
         (angle_works ? angle : "no ramp angle up to " + FormatReal(kSteepestRamp) + " degrees") +
         " works";
}

}  // namespace

std::variant<Job, FieldError> BuildJob(ReadResult read) {
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
  auto moves = PlanMachining(job);
  if (const auto* shortfall = std::get_if<RampShortfall>(&moves)) {
    return Refuse(Field::RampAngle, RampShortfallReason(*shortfall, job.design));
  }
  job.moves = std::get<std::vector<Move>>(std::move(moves));
  if (d.drive) job.drive = LayOutDrive(d, job.sprocket, std::move(read.paths.driven));
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
