// Arcs are handed to the canvas as the preview hands the part's: counter-clockwise from the
// direction of the arc's counter-clockwise start to that of its end, angles by Atan2; a move
// whose ends meet is a full circle to the controller and is drawn as one.
#include "output/toolpath_preview.h"

#include <algorithm>

#include "geometry/angles.h"
#include "output/preview_mapping.h"
#include "output/toolpath_marks.h"

namespace toothwright {
namespace {

// Mark sizes in twips (15 to a pixel on the window's screen).
constexpr double kDotRadius = 45;     // entry dot
constexpr double kArrowLength = 240;  // entry arrow, from the dot's centre to its tip
constexpr double kArrowHead = 90;     // each stroke of the arrow's head
constexpr double kTabBarHalf = 90;    // tab bar, each side of the path, at least

// A canvas point of a part point.
struct Place {
  const PreviewMapping& m;
  double H;  // the outer height, read once: the canvas does not change while drawing

  float X(double x) const { return static_cast<float>(CanvasX(m, x)); }
  float Y(double y) const { return static_cast<float>(CanvasY(m, y, H)); }
};

// A move across as the cutter's centre goes.
void DrawAcross(PreviewCanvas& canvas, const Place& p, const ProgramMove& move) {
  const Segment s = Across(move);
  if (!IsArc(s)) {
    canvas.DrawLine(p.X(s.start.x), p.Y(s.start.y), p.X(s.end.x), p.Y(s.end.y), kToolpathBlue);
    return;
  }
  const bool ccw = s.kind == SegmentKind::CounterClockwiseArc;
  const double radius = s.radius * p.m.s;
  const float cx = p.X(s.centre.x), cy = p.Y(s.centre.y);
  if (s.start == s.end) {
    canvas.DrawCircle(cx, cy, static_cast<float>(radius), kToolpathBlue);
    return;
  }
  const Point from = ccw ? s.start : s.end;
  const Point to = ccw ? s.end : s.start;
  const double start = Atan2(from.x - s.centre.x, from.y - s.centre.y);
  const double end = Atan2(to.x - s.centre.x, to.y - s.centre.y);
  canvas.DrawArc(cx, cy, static_cast<float>(radius), kToolpathBlue, static_cast<float>(start),
                 static_cast<float>(end));
}

// A stroke from canvas point (x, y) for `length` twips along d, a unit direction in the part's
// frame (y up).
void DrawStroke(PreviewCanvas& canvas, float x, float y, Point d, double length,
                std::uint32_t colour) {
  // The canvas's y points down.
  canvas.DrawLine(x, y, static_cast<float>(x + d.x * length), static_cast<float>(y - d.y * length),
                  colour);
}

void DrawEntry(PreviewCanvas& canvas, const Place& p, const PathMark& mark) {
  const float x = p.X(mark.at.x), y = p.Y(mark.at.y);
  canvas.FillCircle(x, y, static_cast<float>(kDotRadius), kToolpathOrange);
  const Point d = mark.direction;
  DrawStroke(canvas, x, y, d, kArrowLength, kToolpathOrange);
  // The head: two strokes back from the tip, 30 degrees either side of the shaft.
  constexpr double kCos30 = 0.8660254037844386, kSin30 = 0.5;
  const float tip_x = static_cast<float>(x + d.x * kArrowLength);
  const float tip_y = static_cast<float>(y - d.y * kArrowLength);
  for (double side : {1.0, -1.0}) {
    const Point back{-d.x * kCos30 - side * d.y * kSin30, -d.y * kCos30 + side * d.x * kSin30};
    DrawStroke(canvas, tip_x, tip_y, back, kArrowHead, kToolpathOrange);
  }
}

void DrawTab(PreviewCanvas& canvas, const Place& p, const PathMark& mark, double half) {
  const float x = p.X(mark.at.x), y = p.Y(mark.at.y);
  const Point normal{-mark.direction.y, mark.direction.x};
  canvas.DrawLine(static_cast<float>(x - normal.x * half), static_cast<float>(y + normal.y * half),
                  static_cast<float>(x + normal.x * half), static_cast<float>(y - normal.y * half),
                  kToolpathOrange);
}

}  // namespace

void DrawToolpath(const ProgramMoves& program, const std::vector<ContourCut>& contours, double D,
                  PreviewCanvas& canvas, std::optional<double> tool_diameter) {
  const std::optional<PreviewMapping> mapping = MapPreview(canvas, D);
  if (!mapping) return;
  const Place p{*mapping, canvas.OuterHeight()};
  const std::vector<ProgramMove>& moves = program.moves;

  for (const ProgramMove& m : moves) {
    if (m.kind == ProgramMoveKind::Rapid && MovesAcross(m)) {
      canvas.DrawDashedLine(p.X(m.start.x), p.Y(m.start.y), p.X(m.end.x), p.Y(m.end.y),
                            kToolpathBlue);
    }
  }
  for (const ContourCut& c : contours) {
    for (size_t k = c.deepest; k < c.last; ++k) {
      if (CutsAcross(moves[k])) DrawAcross(canvas, p, moves[k]);
    }
  }
  // The bar spans the cutter's width, and stands out of it.
  const double bar_half =
      std::max(kTabBarHalf, tool_diameter.value_or(0) / 2 * mapping->s + kDotRadius);
  for (const ContourCut& c : contours) {
    if (const auto entry = EntryMark(program, c)) DrawEntry(canvas, p, *entry);
    for (const TabCrossing& tab : c.tabs) {
      if (const auto mark = TabMark(program, c, tab)) DrawTab(canvas, p, *mark, bar_half);
    }
  }
}

}  // namespace toothwright
