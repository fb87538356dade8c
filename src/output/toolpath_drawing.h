// The toolpath picture, walked once for every surface it is drawn on: the window's preview and
// the SVG document. The walk decides what is drawn and in which order; a surface decides only
// how each piece looks there.
#pragma once

#include <span>
#include <vector>

#include "geometry/path.h"
#include "output/toolpath_marks.h"
#include "sprocket/move.h"

namespace toothwright {

// A surface the toolpath is drawn on, in the program's coordinates (y up).
class ToolpathCanvas {
 public:
  virtual ~ToolpathCanvas() = default;
  // A rapid move across, from `from` to `to`: dashed.
  virtual void Rapid(Point from, Point to) = 0;
  // A contour's deepest pass, from `start`: its moves across as the controller makes them
  // (Across), in order; an arc whose ends meet is a full circle.
  virtual void Pass(Point start, std::span<const Segment> across) = 0;
  // A contour's entry: where it first goes down and the way it cuts from there.
  virtual void Entry(const PathMark& mark) = 0;
  // A tab of a deepest pass: halfway over it and the way the path runs there.
  virtual void Tab(const PathMark& mark) = 0;
};

// Draws the toolpath of the moves in this order: every rapid move across, each contour's
// deepest pass (FindContours), then per contour its entry (EntryMark) and each tab of its
// deepest pass (TabMark).
void DrawToolpath(std::span<const Move> moves, ToolpathCanvas& canvas);

}  // namespace toothwright
