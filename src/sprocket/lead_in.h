// Entering and leaving a contour along a quarter circle in the waste, so that the cutter goes
// down off the finished edge and meets it along a tangent.
#pragma once

#include <optional>
#include <span>

#include "geometry/path.h"
#include "sprocket/machining.h"

namespace toothwright {

struct LeadArcs {
  Segment in;   // from the entry point in the waste to the path's start, tangent to the path
  Segment out;  // from the path's start on along the same circle, back into the waste
};

// The two quarter circles of radius `radius` on the waste side of a closed cutter's path at
// its start: the waste lies to the right of its travel when waste_right (the conventional
// direction), else to the left. The entry point lies `radius` back along the start's tangent
// and `radius` into the waste, the exit point as far ahead; both rounded to four decimals.
LeadArcs MakeLeadArcs(const Path& path, double radius, bool waste_right);

// The tooth whose tip the outline is entered at, where the waste outside it is open: the
// first tooth that carries no tab (all N teeth are free without tabs). nullopt when every tooth
// carries one.
std::optional<int> EntryTooth(int N, const std::optional<HoldingTabs>& tabs);

// Whether entry arcs of `radius` (> 0) fit the contours cut with a tool of tool_diameter: in
// every hole, whose arcs the cutter's path follows at their radius less the tool's, that path's
// radius exceeds `radius` (the entry circle then lies inside the hole); on the outline a tooth
// is free of tabs (EntryTooth). contours: the holes (role Hole) and the outline, lengths in
// one unit.
bool LeadInFits(std::span<const Path> contours, double tool_diameter, double radius,
                const std::optional<HoldingTabs>& tabs);

}  // namespace toothwright
