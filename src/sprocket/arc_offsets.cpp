// Both ends of an arc are fixed to four decimals before its centre is chosen; a centre on their
// bisector is equally far from both, so only the rounding of I and J is left to part the two
// radii, and each further decimal shrinks that tenfold.
#include "sprocket/arc_offsets.h"

#include <cassert>
#include <cmath>
#include <iterator>

namespace toothwright {
namespace {

constexpr double kPowersOfTen[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
static_assert(std::size(kPowersOfTen) == kMostArcDecimals + 1);

double RoundTo(double value, int decimals) {
  const double scale = kPowersOfTen[decimals];
  return std::round(value * scale) / scale;
}

}  // namespace

double RadiusMismatch(Point start, Point end, double i, double j) {
  const Point centre{start.x + i, start.y + j};
  // |a - b| = |a^2 - b^2| / (a + b): two square roots instead of two hypot calls, on numbers
  // far inside the range where squaring them could overflow.
  const double from_start = i * i + j * j;
  const double ex = end.x - centre.x, ey = end.y - centre.y;
  const double from_end = ex * ex + ey * ey;
  const double sum = std::sqrt(from_start) + std::sqrt(from_end);
  return sum > 0 ? std::fabs(from_start - from_end) / sum : 0;
}

ArcOffsets TolerantOffsets(const Segment& arc, double millimetres_per_unit) {
  assert(IsArc(arc) && millimetres_per_unit > 0);
  const Point s = arc.start, e = arc.end;
  Point centre = arc.centre;
  const double dx = e.x - s.x, dy = e.y - s.y;
  const double chord2 = dx * dx + dy * dy;
  if (chord2 > 0) {
    // Move the stored centre along the chord onto the bisector through the chord's middle.
    const double along =
        ((centre.x - (s.x + e.x) / 2) * dx + (centre.y - (s.y + e.y) / 2) * dy) / chord2;
    centre = {centre.x - along * dx, centre.y - along * dy};
  }
  const double tolerance = kArcRadiusTolerance / millimetres_per_unit;
  ArcOffsets out;
  for (out.decimals = 4;; ++out.decimals) {
    out.i = RoundTo(centre.x - s.x, out.decimals);
    out.j = RoundTo(centre.y - s.y, out.decimals);
    if (out.decimals == kMostArcDecimals || RadiusMismatch(s, e, out.i, out.j) <= tolerance) {
      return out;
    }
  }
}

}  // namespace toothwright
