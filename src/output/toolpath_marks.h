// Where the marks of a toolpath picture go, in the program's coordinates: the entry of each
// contour and the holding tabs of its deepest pass, each with the way the cutter travels there.
#pragma once

#include <array>
#include <optional>
#include <span>

#include "output/toolpath_contours.h"

namespace toothwright {

// A point of the path and the unit direction of travel there (x, y; y up).
struct PathMark {
  Point at;
  Point direction;
};

// Where the contour's first move down starts, pointing the way its first move across cuts
// (along a line, along the tangent at an arc's start); none when it never moves across.
std::optional<PathMark> EntryMark(std::span<const Move> moves, const ContourCut& contour);

// Halfway along the moves over the tab, from its rise to its fall, measured in X and Y. A tab
// crossed on the spot (rise and fall where the path does not travel) is marked there, pointing
// the way of the contour's next move across, or of the last one before it. none when the
// contour never moves across.
std::optional<PathMark> TabMark(std::span<const Move> moves, const ContourCut& contour,
                                const TabCrossing& tab);

// The unit direction of travel of a move across at `along` (0 to its length in X and Y) from
// its start; (0, 0) for a move that does not travel across.
Point DirectionAlong(const Move& move, double along);

// The two strokes of an entry arrow's head, each a unit direction back from the arrow's tip
// (y up): the reverse of the shaft's unit direction d turned 30 degrees clockwise, then 30
// degrees counter-clockwise.
std::array<Point, 2> ArrowHead(Point d);

// The direction a tab's bar runs across the path: the mark's direction turned a quarter
// counter-clockwise.
inline Point BarDirection(const PathMark& mark) {
  return {-mark.direction.y, mark.direction.x};
}

}  // namespace toothwright
