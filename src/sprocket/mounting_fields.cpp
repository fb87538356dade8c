// Each mounting field is read strictly (the whole text one number) and judged in field order,
// so the message names the first field the user has to change. Every placement test is a
// plain comparison of distances: a hole may come right up to the wall, but holes that touch
// each other or the bore leave no material between them and are refused like overlapping ones.
#include "sprocket/mounting_fields.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "sprocket/holes.h"
#include "sprocket/numbers.h"
#include "sprocket/outline.h"

namespace toothwright {
namespace {

template <typename Value>
using Read = std::variant<std::optional<Value>, ValidationMessage>;

// A positive width the cutter fits into, when a tool diameter is given.
std::optional<double> CuttableWidth(const std::string& text, const MountingRoom& room) {
  const std::optional<double> value = ParsePositive(text);
  if (!value || (room.tool_diameter && !(*value > *room.tool_diameter))) return std::nullopt;
  return value;
}

// Distance from the centre to the keyway's far corners, its farthest points.
double FarCornerDistance(double bore, const Keyway& keyway) {
  return std::hypot(keyway.width / 2, bore / 2 + keyway.depth);
}

// Length of each keyway side, from where it leaves the bore's edge to the far side.
double SideLength(double bore, const Keyway& keyway) {
  const double r = bore / 2, half = keyway.width / 2;
  return r + keyway.depth - std::sqrt(r * r - half * half);
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

// Whether every hole stays inside the wall, clear of the bore and clear of its neighbours;
// evenly spaced holes come nearest their neighbours.
bool HolesFit(const BoltCircle& circle, const Mounting& m, const MountingRoom& room) {
  const double r = circle.hole_diameter / 2;
  for (int k = 0; k < circle.count; ++k) {
    const Point c = BoltHoleCentre(circle, k);
    if (!(std::hypot(c.x, c.y) + r <= room.wall_radius)) return false;
    if (m.bore && !(DistanceToBore(c, *m.bore, m.keyway) > r)) return false;
    if (circle.count > 1) {
      const Point next = BoltHoleCentre(circle, (k + 1) % circle.count);
      if (!(std::hypot(next.x - c.x, next.y - c.y) > 2 * r)) return false;
    }
  }
  return true;
}

Read<double> ReadBore(const FieldTexts& f, const MountingRoom& room) {
  if (IsBlank(f.bore)) return std::optional<double>{};
  const std::optional<double> bore = CuttableWidth(f.bore, room);
  if (!bore || !(*bore / 2 <= room.wall_radius) ||
      TooSmallToWrite(BuildHoles(Mounting{.bore = bore, .keyway = {}, .bolt_circle = {}}))) {
    return ValidationMessage{kBoreMessage};
  }
  return bore;
}

Read<Keyway> ReadKeyway(const FieldTexts& f, const MountingRoom& room,
                        const std::optional<double>& bore) {
  if (IsBlank(f.keyway_width) && IsBlank(f.keyway_depth)) return std::optional<Keyway>{};
  const std::optional<double> width = CuttableWidth(f.keyway_width, room);
  if (!bore || !width || !(*width < *bore)) return ValidationMessage{kKeywayWidthMessage};
  const std::optional<double> depth = ParsePositive(f.keyway_depth);
  if (!depth) return ValidationMessage{kKeywayDepthMessage};
  const Keyway keyway{.width = *width, .depth = *depth};
  // The cutter turns round the corners where the sides leave the bore; a side shorter than its
  // radius would have it turn past the far side and cut the keyway deeper than asked.
  if (room.tool_diameter && !(SideLength(*bore, keyway) >= *room.tool_diameter / 2)) {
    return ValidationMessage{kKeywayDepthMessage};
  }
  if (!(FarCornerDistance(*bore, keyway) <= room.wall_radius)) {
    return ValidationMessage{kKeywayDepthMessage};
  }
  return keyway;
}

Read<BoltCircle> ReadBoltCircle(const FieldTexts& f, const MountingRoom& room, const Mounting& m) {
  if (IsBlank(f.bolt_holes) && IsBlank(f.bolt_hole_diameter) && IsBlank(f.bolt_circle)) {
    return std::optional<BoltCircle>{};
  }
  const std::optional<int> count = ParseCount(f.bolt_holes, 1, kMaxBoltHoles);
  if (!count) return ValidationMessage{kBoltHolesMessage};
  const std::optional<double> hole_diameter = CuttableWidth(f.bolt_hole_diameter, room);
  if (!hole_diameter) return ValidationMessage{kBoltHoleDiameterMessage};
  const std::optional<double> diameter = ParsePositive(f.bolt_circle);
  if (!diameter) return ValidationMessage{kBoltCircleMessage};
  const BoltCircle circle{.count = *count, .hole_diameter = *hole_diameter, .diameter = *diameter};
  if (TooSmallToWrite(BuildHoles(Mounting{.bore = {}, .keyway = {}, .bolt_circle = circle}))) {
    return ValidationMessage{kBoltHoleDiameterMessage};
  }
  if (!HolesFit(circle, m, room)) return ValidationMessage{kBoltCircleMessage};
  return circle;
}

}  // namespace

std::variant<Mounting, ValidationMessage> ReadMounting(const FieldTexts& fields,
                                                       const MountingRoom& room) {
  Mounting m;
  auto bore = ReadBore(fields, room);
  if (auto* message = std::get_if<ValidationMessage>(&bore)) return *message;
  m.bore = std::get<std::optional<double>>(bore);
  auto keyway = ReadKeyway(fields, room, m.bore);
  if (auto* message = std::get_if<ValidationMessage>(&keyway)) return *message;
  m.keyway = std::get<std::optional<Keyway>>(keyway);
  auto bolts = ReadBoltCircle(fields, room, m);
  if (auto* message = std::get_if<ValidationMessage>(&bolts)) return *message;
  m.bolt_circle = std::get<std::optional<BoltCircle>>(bolts);
  return m;
}

std::optional<ValidationMessage> CheckMounting(const FieldTexts& fields, const MountingRoom& room) {
  auto mounting = ReadMounting(fields, room);
  if (auto* message = std::get_if<ValidationMessage>(&mounting)) return *message;
  return std::nullopt;
}

}  // namespace toothwright
