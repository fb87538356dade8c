// Each hole's points are rounded as the outline's are, so every output computes from the same
// four-decimal numbers; the bore's centre is the origin and exact.
#include "sprocket/holes.h"

#include <cmath>
#include <numbers>

#include "geometry/segment.h"

namespace toothwright {
namespace {

Segment HoleArc(Point start, Point end, Point centre, double radius) {
  return {SegmentKind::ClockwiseArc, SegmentRole::Hole, start, end, centre, radius, 0};
}

Segment HoleLine(Point start, Point end) {
  return {SegmentKind::Line, SegmentRole::Hole, start, end, Point{}, 0, 0};
}

// A circle as two clockwise half circles, from entry round to the point opposite and back.
Path RoundHole(Point centre, double radius, Point entry, Point opposite) {
  return {{HoleArc(entry, opposite, centre, radius), HoleArc(opposite, entry, centre, radius)}};
}

Path BoltHole(const BoltCircle& circle, int k) {
  const Point centre = BoltHoleCentre(circle, k);
  const double angle = 2 * std::numbers::pi * k / circle.count;
  const double r = circle.hole_diameter / 2;
  // The entry faces the part's centre: along the radius through the hole's centre, inwards.
  const double dx = r * std::cos(angle);
  const double dy = r * std::sin(angle);
  return RoundHole(centre, r, Round4Unsigned({centre.x - dx, centre.y - dy}),
                   Round4Unsigned({centre.x + dx, centre.y + dy}));
}

Path Bore(double diameter, const std::optional<Keyway>& keyway) {
  const double r = diameter / 2;
  const Point centre{};
  const Point bottom = Round4Unsigned({0, -r});
  if (!keyway) return RoundHole(centre, r, bottom, Round4Unsigned({0, r}));
  // The keyway's sides meet the bore where |x| is half the width.
  const double half = keyway->width / 2;
  const double side_y = std::sqrt(r * r - half * half);
  const double far_y = r + keyway->depth;
  const Point left = Round4Unsigned({-half, side_y});
  const Point right = Round4Unsigned({half, side_y});
  const Point far_left = Round4Unsigned({-half, far_y});
  const Point far_right = Round4Unsigned({half, far_y});
  return {{HoleArc(bottom, left, centre, r), HoleLine(left, far_left),
           HoleLine(far_left, far_right), HoleLine(far_right, right),
           HoleArc(right, bottom, centre, r)}};
}

}  // namespace

Point BoltHoleCentre(const BoltCircle& circle, int k) {
  const double angle = 2 * std::numbers::pi * k / circle.count;
  const double r = circle.diameter / 2;
  return Round4Unsigned({r * std::cos(angle), r * std::sin(angle)});
}

double KeywaySideLength(double bore, const Keyway& keyway) {
  const double r = bore / 2, half = keyway.width / 2;
  return r + keyway.depth - std::sqrt(r * r - half * half);
}

std::vector<Path> BuildHoles(const Mounting& mounting) {
  std::vector<Path> holes;
  if (mounting.bolt_circle) {
    holes.reserve(static_cast<size_t>(mounting.bolt_circle->count) + 1);
    for (int k = 0; k < mounting.bolt_circle->count; ++k) {
      holes.push_back(BoltHole(*mounting.bolt_circle, k));
    }
  }
  if (mounting.bore) holes.push_back(Bore(*mounting.bore, mounting.keyway));
  return holes;
}

}  // namespace toothwright
