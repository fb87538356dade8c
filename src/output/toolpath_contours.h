// The contours of a milling program found in its moves: where each one goes down, which way it
// cuts, its deepest pass and where that pass rises over holding tabs: what the toolpath
// pictures draw.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "sprocket/move.h"

namespace toothwright {

// A holding tab on a pass: the cutter rises off the pass's depth at move `rise` and comes back
// down to it at move `fall` (rise < fall); the moves between run over the tab.
struct TabCrossing {
  size_t rise = 0, fall = 0;
  bool operator==(const TabCrossing&) const = default;
};

// One contour, indices into the moves: the feed moves between a rapid move and the
// next (the retract); and when the next feed moves start where its first one did (passes
// entered again after a retract and a rapid move back), those too, with the rapid moves
// between.
struct ContourCut {
  size_t first = 0, last = 0;  // its moves [first, last); first and last - 1 are feed moves
  size_t entry = 0;            // the first feed move down (first when none goes down)
  // The first feed move from the entry on that travels in X or Y, whose direction is the
  // cutting direction; none when the contour only moves in Z.
  std::optional<size_t> first_across;
  // The deepest pass: from the feed move down that starts it (a plunge, or the first move of
  // a ramp that goes deeper than any before it) to the contour's end.
  size_t deepest = 0;
  double depth = 0;               // the lowest Z of the contour
  std::vector<TabCrossing> tabs;  // on the deepest pass, in order
  bool operator==(const ContourCut&) const = default;
};

// The contours of the moves in order, as ContourCut describes them. Heights and points are
// compared exactly: the program writes each pass's depth, and each start, with the same text
// each time.
std::vector<ContourCut> FindContours(std::span<const Move> moves);

// True when any feed move is made with cutter compensation on (G41 or G42): the path written
// is then not the cutter centre's, which the controller offsets by the cutter's radius.
bool Compensated(std::span<const Move> moves);

}  // namespace toothwright
