// Each mounting field is read strictly (the whole text one number) and judged in field order,
// so the message names the first field the user has to change, and the reason what it may
// hold. Every placement test is a plain comparison of distances: a hole may come right up to
// the wall, but holes that touch each other or the bore leave no material between them and are
// refused like overlapping ones.
#include "sprocket/mounting_fields.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "numbers/numbers.h"
#include "sprocket/holes.h"
#include "sprocket/outline.h"

namespace toothwright {
namespace {

template <typename Value>
using Read = std::variant<std::optional<Value>, FieldError>;

// Distance from the centre to the keyway's far corners, its farthest points.
double FarCornerDistance(double bore, const Keyway& keyway) {
  return std::hypot(keyway.width / 2, bore / 2 + keyway.depth);
}

// Distance from p to the bore with its keyway, 0 inside them.
double DistanceToBore(Point p, double bore, const std::optional<Keyway>& keyway) {
  const double to_bore = std::max(0.0, std::hypot(p.x, p.y) - bore / 2);
  if (!keyway) return to_bore;
  // The keyway as the rectangle |x| <= width / 2, 0 <= y <= far side; the part of it inside
  // the bore changes nothing.
  const double dx = std::max(0.0, std::fabs(p.x) - keyway->width / 2);
  const double dy = std::max({0.0, -p.y, p.y - (bore / 2 + keyway->depth)});
  return std::min(to_bore, std::hypot(dx, dy));
}

// Whether a hole is narrower than the coordinates can show: its arcs would end where they
// start, or have no radius, once written.
bool TooSmallToWrite(const std::vector<Path>& holes) {
  return std::any_of(holes.begin(), holes.end(), HasUnwritableArc);
}

// Whether every hole stays inside the wall.
bool HolesInsideWall(const BoltCircle& circle, const MountingRoom& room) {
  const double r = circle.hole_diameter / 2;
  for (int k = 0; k < circle.count; ++k) {
    const Point c = BoltHoleCentre(circle, k);
    if (!(std::hypot(c.x, c.y) + r <= room.wall_radius)) return false;
  }
  return true;
}

// Whether every hole is clear of the bore and of its neighbours; evenly spaced holes come
// nearest their neighbours.
bool HolesClear(const BoltCircle& circle, const Mounting& m) {
  const double r = circle.hole_diameter / 2;
  for (int k = 0; k < circle.count; ++k) {
    const Point c = BoltHoleCentre(circle, k);
    if (m.bore && !(DistanceToBore(c, *m.bore, m.keyway) > r)) return false;
    if (circle.count > 1) {
      const Point next = BoltHoleCentre(circle, (k + 1) % circle.count);
      if (!(std::hypot(next.x - c.x, next.y - c.y) > 2 * r)) return false;
    }
  }
  return true;
}

BoltCircle WithDiameter(BoltCircle circle, double diameter) {
  circle.diameter = diameter;
  return circle;
}

// Why a bolt circle's holes do not fit, with the bolt circles that would fit them. The holes
// leave the wall from some diameter up and clear the bore and each other from some diameter
// on (the distance from a point to the bore with its keyway grows along every ray from the
// centre), so the circles that fit run from the least that clears to the most inside the wall.
std::string BoltCircleReason(const BoltCircle& circle, const Mounting& m, const MountingRoom& room,
                             LengthUnit unit) {
  double most = ShownBound(2 * (room.wall_radius - circle.hole_diameter / 2), unit, Bound::AtMost);
  // The centres are rounded: the nearest diameter below may still reach the wall.
  while (most > 0 && !HolesInsideWall(WithDiameter(circle, most), room)) {
    most = ShownBound(most, unit, Bound::Below);
  }
  const double step = ShownBound(0, unit, Bound::Above);
  if (!(most > 0) || !HolesClear(WithDiameter(circle, most), m)) {
    return "These holes cannot clear each other and the bore inside the roller seats: make them "
           "fewer or smaller";
  }
  if (HolesClear(WithDiameter(circle, step), m)) {
    return "The holes must leave a wall inside the roller seats: a bolt circle of at most " +
           LengthText(most, unit);
  }
  // Whole steps of the last decimal: the least that clears lies above low, at or below high.
  double low = 1, high = std::round(most / step);
  while (high - low > 1) {
    const double middle = std::floor((low + high) / 2);
    if (HolesClear(WithDiameter(circle, ShownValue(middle * step, unit)), m)) {
      high = middle;
    } else {
      low = middle;
    }
  }
  return "The holes must clear each other and the bore, and leave a wall inside the roller "
         "seats: a bolt circle from " +
         LengthText(ShownValue(high * step, unit), unit) + " to " + LengthText(most, unit);
}

Read<double> ReadBore(const FieldTexts& f, const MountingRoom& room, LengthUnit unit) {
  if (IsBlank(f.bore)) return std::optional<double>{};
  const std::optional<double> bore = ParsePositive(f.bore);
  if (!bore) return Refuse(Field::Bore, NumberReason(f.bore));
  if (!(*bore / 2 <= room.wall_radius)) {
    return Refuse(Field::Bore, "The bore (" + LengthText(*bore, unit) +
                                   ") must leave a wall inside the roller seats: at most " +
                                   BoundText(2 * room.wall_radius, unit, Bound::AtMost));
  }
  if (TooSmallToWrite(BuildHoles(Mounting{.bore = bore, .keyway = {}, .bolt_circle = {}}))) {
    return Refuse(Field::Bore, "The bore is too small for the program's four decimals");
  }
  return bore;
}

// Why a keyway's far corners reach into the wall, with the deepest keyway that leaves it.
std::string KeywayCornersReason(double bore, double width, const MountingRoom& room,
                                LengthUnit unit) {
  const double half = width / 2;
  double most =
      room.wall_radius > half
          ? ShownBound(std::sqrt(room.wall_radius * room.wall_radius - half * half) - bore / 2,
                       unit, Bound::AtMost)
          : 0;
  while (most > 0 &&
         !(FarCornerDistance(bore, {.width = width, .depth = most}) <= room.wall_radius)) {
    most = ShownBound(most, unit, Bound::Below);
  }
  if (!(most > 0)) {
    return "The keyway must leave a wall inside the roller seats: a narrower keyway or a smaller "
           "bore";
  }
  return "The keyway must leave a wall inside the roller seats: a depth of at most " +
         LengthText(most, unit);
}

Read<Keyway> ReadKeyway(const FieldTexts& f, const MountingRoom& room,
                        const std::optional<double>& bore, LengthUnit unit) {
  if (IsBlank(f.keyway_width) && IsBlank(f.keyway_depth)) return std::optional<Keyway>{};
  if (!bore) return Refuse(Field::KeywayWidth, "A keyway needs a bore diameter");
  const std::optional<double> width = ParsePositive(f.keyway_width);
  if (!width) return Refuse(Field::KeywayWidth, NumberReason(f.keyway_width));
  if (!(*width < *bore)) {
    return Refuse(Field::KeywayWidth, "The keyway must be narrower than the bore (" +
                                          LengthText(*bore, unit) + "): at most " +
                                          BoundText(*bore, unit, Bound::Below));
  }
  const std::optional<double> depth = ParsePositive(f.keyway_depth);
  if (!depth) return Refuse(Field::KeywayDepth, NumberReason(f.keyway_depth));
  const Keyway keyway{.width = *width, .depth = *depth};
  if (!(FarCornerDistance(*bore, keyway) <= room.wall_radius)) {
    return Refuse(Field::KeywayDepth, KeywayCornersReason(*bore, *width, room, unit));
  }
  return keyway;
}

Read<BoltCircle> ReadBoltCircle(const FieldTexts& f, const MountingRoom& room, const Mounting& m,
                                LengthUnit unit) {
  if (IsBlank(f.bolt_holes) && IsBlank(f.bolt_hole_diameter) && IsBlank(f.bolt_circle)) {
    return std::optional<BoltCircle>{};
  }
  const std::optional<int> count = ParseCount(f.bolt_holes, 1, kMaxBoltHoles);
  if (!count) {
    return Refuse(Field::BoltHoles,
                  "A whole number of holes from 1 to " + std::to_string(kMaxBoltHoles));
  }
  const std::optional<double> hole_diameter = ParsePositive(f.bolt_hole_diameter);
  if (!hole_diameter) {
    return Refuse(Field::BoltHoleDiameter, NumberReason(f.bolt_hole_diameter));
  }
  const std::optional<double> diameter = ParsePositive(f.bolt_circle);
  if (!diameter) return Refuse(Field::BoltCircle, NumberReason(f.bolt_circle));
  const BoltCircle circle{.count = *count, .hole_diameter = *hole_diameter, .diameter = *diameter};
  if (TooSmallToWrite(BuildHoles(Mounting{.bore = {}, .keyway = {}, .bolt_circle = circle}))) {
    return Refuse(Field::BoltHoleDiameter,
                  "The holes are too small for the program's four decimals");
  }
  if (!HolesInsideWall(circle, room) || !HolesClear(circle, m)) {
    return Refuse(Field::BoltCircle, BoltCircleReason(circle, m, room, unit));
  }
  return circle;
}

}  // namespace

std::variant<Mounting, FieldError> ReadMounting(const FieldTexts& fields, const MountingRoom& room,
                                                LengthUnit unit) {
  Mounting m;
  auto bore = ReadBore(fields, room, unit);
  if (auto* error = std::get_if<FieldError>(&bore)) return std::move(*error);
  m.bore = std::get<std::optional<double>>(bore);
  auto keyway = ReadKeyway(fields, room, m.bore, unit);
  if (auto* error = std::get_if<FieldError>(&keyway)) return std::move(*error);
  m.keyway = std::get<std::optional<Keyway>>(keyway);
  auto bolts = ReadBoltCircle(fields, room, m, unit);
  if (auto* error = std::get_if<FieldError>(&bolts)) return std::move(*error);
  m.bolt_circle = std::get<std::optional<BoltCircle>>(bolts);
  return m;
}

}  // namespace toothwright
