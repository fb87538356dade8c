// Where the marks of a toolpath picture go, in the program's coordinates: the entry of each
// contour and the holding tabs of its deepest pass, each with the way the cutter travels there.
#pragma once

#include <optional>

#include "output/program_contours.h"

namespace toothwright {

// A point of the path and the unit direction of travel there (x, y; y up).
struct PathMark {
  Point at;
  Point direction;
};

// Where the contour's first move down starts, pointing the way its first move across cuts
// (along a line, along the tangent at an arc's start); none when it never moves across.
std::optional<PathMark> EntryMark(const ProgramMoves& program, const ContourCut& contour);

// Halfway along the moves over the tab, from its rise to its fall, measured in X and Y. A tab
// crossed on the spot (rise and fall where the path does not travel) is marked there, pointing
// the way of the contour's next move across, or of the last one before it. none when the
// contour never moves across.
std::optional<PathMark> TabMark(const ProgramMoves& program, const ContourCut& contour,
                                const TabCrossing& tab);

// The unit direction of travel of a move across at `along` (0 to its length in X and Y) from
// its start; (0, 0) for a move that does not travel across.
Point DirectionAlong(const ProgramMove& move, double along);

}  // namespace toothwright
