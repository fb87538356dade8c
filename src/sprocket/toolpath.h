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
// the run's checks have made sure exists), else the contour itself. With tabs, when the contour
// has teeth: each tab is the stretch of the contour `width` long centred on its tooth
// (TabCentres, clamped to the contour), which the cutter must leave attached; on a cutter's
// path its span runs between the points whose cutter touches the contour at the stretch's ends
// (wider than `width` over a convex tooth), cut out of the path exactly at its ends, the split
// points rounded to four decimals. For the climb direction the whole toolpath is then reversed
// (from the same start), its tabs with it.
Toolpath MakeToolpath(const Path& contour, const MachiningOptions& options);

// MakeToolpath along a path already made for the contour: its cutter path with a tool
// diameter, else the contour itself.
Toolpath MakeToolpathAlong(const Path& contour, Path path, const MachiningOptions& options);

}  // namespace toothwright
