// Arcs are measured with the standard arctangent, not the window's Atan2 with its decimal pi:
// the box is to hold the drawing exactly.
#include "geometry/extent.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "geometry/segment.h"

namespace toothwright {
namespace {

constexpr double kTurn = 2 * std::numbers::pi;

double Direction(Point centre, Point p) {
  return std::atan2(p.y - centre.y, p.x - centre.x);
}

// angle brought into [0, 2*pi).
double Normalised(double angle) {
  const double a = std::fmod(angle, kTurn);
  return a < 0 ? a + kTurn : a;
}

// The four axis directions, with their unit vectors exact.
struct AxisDirection {
  double angle;
  double cos, sin;
};
constexpr std::array<AxisDirection, 4> kAxes = {{{0, 1, 0},
                                                 {std::numbers::pi / 2, 0, 1},
                                                 {std::numbers::pi, -1, 0},
                                                 {3 * std::numbers::pi / 2, 0, -1}}};

}  // namespace

Box Include(Box box, Point point) {
  if (box.empty) return {point.x, point.y, point.x, point.y, false};
  box.min_x = std::min(box.min_x, point.x);
  box.min_y = std::min(box.min_y, point.y);
  box.max_x = std::max(box.max_x, point.x);
  box.max_y = std::max(box.max_y, point.y);
  return box;
}

Box Include(Box box, const Path& path) {
  for (const Segment& s : path.segments) {
    box = Include(Include(box, s.start), s.end);
    if (!IsArc(s)) continue;
    // An arc whose whole circle lies in the box cannot grow it: most arcs of a sprocket, once
    // its first teeth have set the box, are passed over without an arctangent.
    if (s.centre.x - s.radius >= box.min_x && s.centre.x + s.radius <= box.max_x &&
        s.centre.y - s.radius >= box.min_y && s.centre.y + s.radius <= box.max_y) {
      continue;
    }
    // Turn the arc counter-clockwise: from its counter-clockwise start through its sweep.
    const Point from = s.kind == SegmentKind::CounterClockwiseArc ? s.start : s.end;
    const double start = Direction(s.centre, from);
    const double sweep = Sweep(s);
    for (const AxisDirection& axis : kAxes) {
      if (Normalised(axis.angle - start) <= sweep) {
        box = Include(box, {s.centre.x + s.radius * axis.cos, s.centre.y + s.radius * axis.sin});
      }
    }
  }
  return box;
}

}  // namespace toothwright
