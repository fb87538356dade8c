// How far paths reach: the bounding box of paths of arcs and lines, in the paths' own length
// unit.
#pragma once

#include "geometry/path.h"

namespace toothwright {

// An axis-aligned box; empty (min above max) until a point is added.
struct Box {
  double min_x = 0, min_y = 0, max_x = 0, max_y = 0;
  bool empty = true;
  bool operator==(const Box&) const = default;
};

// box grown to hold point.
Box Include(Box box, Point point);

// box grown to hold every segment of path: each segment's ends and, for an arc, the points of
// its circle (its constructed radius about its centre) straight right, up, left and down of
// the centre that the arc passes through, where an arc reaches furthest.
Box Include(Box box, const Path& path);

}  // namespace toothwright
