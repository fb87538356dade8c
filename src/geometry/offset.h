// The path a cutter's centre follows when the cutter runs along a closed path on one side of
// it, as a controller's cutter compensation computes it.
#pragma once

#include <optional>

#include "geometry/path.h"

namespace toothwright {

// A junction that turns by less than this many radians counts as smooth: the next segment's
// offset starts where the previous one's ended, with no rounding arc and no trim. Points held
// to four decimals leave kinks of about 1e-4 rad where two arcs meet tangentially; a rounding
// arc there would be shorter than the coordinates can show, and an arc whose ends coincide
// after rounding is a full circle to a controller. LinuxCNC's compensation uses the same limit.
inline constexpr double kSmoothTurn = 0.05;

// The closed path at `distance` to the right of `path` as it is travelled when distance > 0
// (the side G42 puts the cutter on: outside a counter-clockwise outline, inside a clockwise
// hole), to its left when distance < 0. Lines move sideways; an arc keeps its centre, kind,
// role and tooth, and its radius grows by |distance| when the offset side faces away from its
// centre and shrinks otherwise. At a junction turning away from the offset side (a convex
// corner seen from there) a rounding arc of radius |distance| about the corner point is added
// after the segment that ends there, with role Rounding and that segment's tooth; at one
// turning towards it (concave) both offsets are trimmed to where they meet nearest the corner.
// nullopt when an arc would shrink to a radius <= 0 or the offsets at a concave corner do not
// meet. Loops left where a short segment is trimmed away are not removed: callers keep
// |distance| below every radius that shrinks. path: closed, at least one segment, each
// junction's points equal.
std::optional<Path> OffsetPath(const Path& path, double distance);

}  // namespace toothwright
