// Arcs are handed to the canvas as the preview hands the part's: counter-clockwise from the
// direction of the arc's counter-clockwise start to that of its end, angles by Atan2; a move
// whose ends meet is a full circle to the controller and is drawn as one.
#include "output/toolpath_preview.h"

#include <algorithm>
#include <optional>
#include <span>

#include "geometry/angles.h"
#include "output/preview_mapping.h"
#include "output/toolpath_drawing.h"
#include "output/toolpath_style.h"

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

// The pieces of the toolpath on the preview's canvas.
class PreviewToolpath : public ToolpathCanvas {
 public:
  PreviewToolpath(PreviewCanvas& canvas, const PreviewMapping& mapping, double bar_half)
      : canvas_(canvas), p_{mapping, canvas.OuterHeight()}, bar_half_(bar_half) {}

  void Rapid(Point from, Point to) override {
    canvas_.DrawDashedLine(p_.X(from.x), p_.Y(from.y), p_.X(to.x), p_.Y(to.y), kToolpathBlue);
  }

  void Pass(Point, std::span<const Segment> across) override {
    for (const Segment& s : across) DrawAcross(s);
  }

  void Entry(const PathMark& mark) override {
    const float x = p_.X(mark.at.x), y = p_.Y(mark.at.y);
    canvas_.FillCircle(x, y, static_cast<float>(kDotRadius), kToolpathOrange);
    const Point d = mark.direction;
    DrawStroke(x, y, d, kArrowLength);
    const float tip_x = static_cast<float>(x + d.x * kArrowLength);
    const float tip_y = static_cast<float>(y - d.y * kArrowLength);
    for (const Point back : ArrowHead(d)) DrawStroke(tip_x, tip_y, back, kArrowHead);
  }

  void Tab(const PathMark& mark) override {
    const float x = p_.X(mark.at.x), y = p_.Y(mark.at.y);
    const Point normal = BarDirection(mark);
    const double half = bar_half_;
    canvas_.DrawLine(static_cast<float>(x - normal.x * half),
                     static_cast<float>(y + normal.y * half),
                     static_cast<float>(x + normal.x * half),
                     static_cast<float>(y - normal.y * half), kToolpathOrange);
  }

 private:
  // A move across as the cutter's centre goes.
  void DrawAcross(const Segment& s) {
    if (!IsArc(s)) {
      canvas_.DrawLine(p_.X(s.start.x), p_.Y(s.start.y), p_.X(s.end.x), p_.Y(s.end.y),
                       kToolpathBlue);
      return;
    }
    const bool ccw = s.kind == SegmentKind::CounterClockwiseArc;
    const double radius = s.radius * p_.m.s;
    const float cx = p_.X(s.centre.x), cy = p_.Y(s.centre.y);
    if (s.start == s.end) {
      canvas_.DrawCircle(cx, cy, static_cast<float>(radius), kToolpathBlue);
      return;
    }
    const Point from = ccw ? s.start : s.end;
    const Point to = ccw ? s.end : s.start;
    const double start = Atan2(from.x - s.centre.x, from.y - s.centre.y);
    const double end = Atan2(to.x - s.centre.x, to.y - s.centre.y);
    canvas_.DrawArc(cx, cy, static_cast<float>(radius), kToolpathBlue, static_cast<float>(start),
                    static_cast<float>(end));
  }

  // A stroke from canvas point (x, y) for `length` twips along d, a unit direction in the
  // part's frame (y up).
  void DrawStroke(float x, float y, Point d, double length) {
    // The canvas's y points down.
    canvas_.DrawLine(x, y, static_cast<float>(x + d.x * length),
                     static_cast<float>(y - d.y * length), kToolpathOrange);
  }

  PreviewCanvas& canvas_;
  Place p_;
  double bar_half_;
};

}  // namespace

void DrawToolpath(const Job& job, PreviewCanvas& canvas) {
  const std::optional<PreviewMapping> mapping = MapPreview(canvas, job.sprocket.outside_diameter);
  if (!mapping) return;
  // The bar spans the cutter's width, and stands out of it.
  const double bar_half = std::max(
      kTabBarHalf, job.design.machining.tool_diameter.value_or(0) / 2 * mapping->s + kDotRadius);
  PreviewToolpath drawing(canvas, *mapping, bar_half);
  DrawToolpath(job.moves, drawing);
}

}  // namespace toothwright
