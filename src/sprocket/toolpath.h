// One contour as the program cuts it: the path the cutter is sent along, split where it rises
// over holding tabs.
#pragma once

#include <cstddef>
#include <vector>

#include "geometry/path.h"
#include "sprocket/machining.h"

namespace toothwright {

// Segments [first, last) of a toolpath lie over one tab. first == last for a tab narrower
// than the coordinates can show: the cutter rises and goes down again on the spot.
struct TabRange {
  size_t first = 0, last = 0;
  bool operator==(const TabRange&) const = default;
};

struct Toolpath {
  Path path;                   // closed; starts where the contour's program starts
  std::vector<TabRange> tabs;  // in path order, disjoint
};

// The toolpath of a contour: with a tool diameter the cutter centre's path (CutterPath, which
// the run's checks have made sure exists), else the contour itself; with tabs, and when the
// contour has teeth, each tab's span (TabCentres, width long, clamped to the path) cut out of
// the path exactly at its ends, the split points rounded to four decimals.
Toolpath MakeToolpath(const Path& contour, const MachiningOptions& options);

// The toolpath along a path the cutter follows that is already made (the contour itself, or
// its cutter path): with tabs, split as MakeToolpath splits it.
Toolpath MakeToolpathFrom(Path followed, const MachiningOptions& options);

}  // namespace toothwright
