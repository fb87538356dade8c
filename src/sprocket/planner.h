// The machining plan: the job's milling program built once as the list of its moves, which the
// program's writer formats line by line and the toolpath pictures and the cut's figures walk.
#pragma once

#include <variant>
#include <vector>

#include "sprocket/job.h"
#include "sprocket/move.h"
#include "sprocket/ramp.h"

namespace toothwright {

// The moves of the job's program, which cuts its contours in cutting order (holes first, the
// outline last), each along the path the job made for it (Job::ProgramPath):
// [the opening comment], the units line, [the modes line], a rapid move up to the safe height
// when one is set, or 2 units up for a computed cutter path or the design's offset; per
// contour [with the design's offset: a rapid move to a point back along its first segment's
// tangent and cutter compensation to the right (to the left for climb)], a rapid move to its
// start (or to its entry arc's start with lead arcs), [the spindle's start before the
// program's first move down], its passes, a rapid move up (to the safe height, else 2 units)
// and [with the offset: a rapid move on along the last cut's tangent, as far as the entry
// point lay back, and compensation off]; then [the spindle's stop], [the program's end].
// A pass goes down and follows the path, rising over tabs on passes deeper than them (a
// plunge straight down, or the ramps of RampedPasses with a ramp angle); with lead arcs each
// pass goes down in the waste (straight, or ramping along the entry arc), runs onto the path
// along the entry arc, round it (RampedTurn when ramping), off it along the exit arc and,
// before the next pass, back across the waste to the entry point. Moves down carry the plunge
// feed when one is set, every other feed move the cutting feed, when one is set.
// Arc centres: the outline's arcs as they stand with I and J rounded to four decimals from the
// stored centre; the arcs of holes, of a computed cutter path and, with the design's offset, of
// the outline with TolerantOffsets.
// A beam's program (laser, plasma, waterjet) has no depth: [up to its travel height]; per
// contour a rapid move to its start (or its entry arc's start), the beam on, [the entry arc],
// the path as many times round as its passes ask, [the exit arc], the beam off; over each tab
// the beam goes off, across and on again. "On" is, where the process has each: a rapid move
// down to the pierce height, M4 and the power (a laser) or M3 (a torch), the pierce's dwell,
// a feed move down to the cut height; "off" is M5 and [up to the travel height]. Every arc is
// written about centres that keep both radii alike.
// A program whose ramps cannot all be made is not planned: the first such ramp instead.
std::variant<std::vector<Move>, RampShortfall> PlanMachining(const Job& job);

}  // namespace toothwright
