// Whether a cutter fits the arcs its centre must follow inside them: the program writes the
// path of the cutter's centre, and an arc that shrinks to almost nothing under that offset is
// written with its rounded ends on (or next to) its centre, which a controller refuses as a
// zero-radius arc.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "geometry/path.h"
#include "numbers/units.h"

namespace toothwright {

// The smallest radius an arc of the cutter's path may have in an inch program: two units of the
// coordinates' last (fourth) decimal, so that its rounded ends stay clear of its centre.
inline constexpr double kSmallestCutterArcInches = 2e-4;
// The same in a millimetre program, where two units of the last decimal are not enough: LinuxCNC
// refuses an arc below 0.00005 in (0.00127 mm) as zero-radius, and the rounding of its ends and
// centre may take up to 0.0002 mm more off it.
inline constexpr double kSmallestCutterArcMillimetres = 0.0015;

// The largest tool diameter, rounded down to four decimals, for which every arc that shrinks
// under the offset keeps a radius of at least the smallest above: every clockwise arc of
// contours cut with the cutter on their right (the outline's seats, the holes' arcs). A
// diameter given to four decimals that reaches the limit exactly fits. Infinity when no arc
// shrinks; at or below 0 when no tool fits. contours: closed paths as the program cuts them
// (holes clockwise, the outline counter-clockwise), lengths in unit.
double LargestToolDiameter(std::span<const Path> contours, LengthUnit unit);

// Whether a tool of tool_diameter (> 0, in the contours' unit) fits: at most
// LargestToolDiameter(contours, unit).
bool ToolFits(std::span<const Path> contours, double tool_diameter, LengthUnit unit);

// The reason shown beside the tool diameter's message for a tool that does not fit, naming the
// largest that does, rounded down to the decimals of LengthText: "The largest tool that fits is
// 0.3121 in" when the teeth are what limits it (what is empty), "The largest tool that fits the
// keyway is 0.1874 in" when an opening named by what is; "No tool fits the part's smallest arc"
// (or "No tool fits the keyway") when that rounds down to 0. A beam's reasons name its kerf
// as noun in place of the tool.
std::string LargestToolReason(double largest, LengthUnit unit, std::string_view what = {},
                              std::string_view noun = "tool");

}  // namespace toothwright
