// Each mounting field is read strictly (the whole text one number) and judged in field order,
// so the message names the first field the user has to change. Every placement test is a
// plain comparison of distances: a hole may come right up to the wall, but holes that touch
// each other or the bore leave no material between them and are refused like overlapping ones.
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

// The reason a width the cutter must fit into was refused.
std::string WidthReason(const std::string& text, const MountingRoom& room, LengthUnit unit) {
  std::string reason = NumberReason(text);
  if (reason.empty() && room.tool_diameter) {
    reason = "It must be wider than the cutter (" + LengthText(*room.tool_diameter, unit) + ")";
  }
  return reason;
}

Read<double> ReadBore(const FieldTexts& f, const MountingRoom& room, LengthUnit unit) {
  if (IsBlank(f.bore)) return std::optional<double>{};
  const std::optional<double> bore = CuttableWidth(f.bore, room);
  if (!bore) return Refuse(Field::Bore, WidthReason(f.bore, room, unit));
  if (!(*bore / 2 <= room.wall_radius)) {
    return Refuse(Field::Bore, "The bore (" + LengthText(*bore, unit) +
                                   ") must leave a wall inside the roller seats: at most " +
                                   LengthText(2 * room.wall_radius, unit));
  }
  if (TooSmallToWrite(BuildHoles(Mounting{.bore = bore, .keyway = {}, .bolt_circle = {}}))) {
    return Refuse(Field::Bore, "The bore is too small for the program's four decimals");
  }
  return bore;
}

Read<Keyway> ReadKeyway(const FieldTexts& f, const MountingRoom& room,
                        const std::optional<double>& bore, LengthUnit unit) {
  if (IsBlank(f.keyway_width) && IsBlank(f.keyway_depth)) return std::optional<Keyway>{};
  if (!bore) return Refuse(Field::KeywayWidth, "A keyway needs a bore diameter");
  const std::optional<double> width = CuttableWidth(f.keyway_width, room);
  if (!width) return Refuse(Field::KeywayWidth, WidthReason(f.keyway_width, room, unit));
  if (!(*width < *bore)) {
    return Refuse(Field::KeywayWidth,
                  "The keyway must be narrower than the bore (" + LengthText(*bore, unit) + ")");
  }
  const std::optional<double> depth = ParsePositive(f.keyway_depth);
  if (!depth) return Refuse(Field::KeywayDepth, NumberReason(f.keyway_depth));
  const Keyway keyway{.width = *width, .depth = *depth};
  // The cutter turns round the corners where the sides leave the bore; a side shorter than its
  // radius would have it turn past the far side and cut the keyway deeper than asked.
  if (room.tool_diameter && !(SideLength(*bore, keyway) >= *room.tool_diameter / 2)) {
    return Refuse(Field::KeywayDepth, "The keyway's sides must be at least the cutter's radius (" +
                                          LengthText(*room.tool_diameter / 2, unit) + ") long");
  }
  if (!(FarCornerDistance(*bore, keyway) <= room.wall_radius)) {
    return Refuse(Field::KeywayDepth,
                  "The keyway must leave a wall inside the roller seats: its corners at most " +
                      LengthText(room.wall_radius, unit) + " from the centre");
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
  const std::optional<double> hole_diameter = CuttableWidth(f.bolt_hole_diameter, room);
  if (!hole_diameter) {
    return Refuse(Field::BoltHoleDiameter, WidthReason(f.bolt_hole_diameter, room, unit));
  }
  const std::optional<double> diameter = ParsePositive(f.bolt_circle);
  if (!diameter) return Refuse(Field::BoltCircle, NumberReason(f.bolt_circle));
  const BoltCircle circle{.count = *count, .hole_diameter = *hole_diameter, .diameter = *diameter};
  if (TooSmallToWrite(BuildHoles(Mounting{.bore = {}, .keyway = {}, .bolt_circle = circle}))) {
    return Refuse(Field::BoltHoleDiameter,
                  "The holes are too small for the program's four decimals");
  }
  if (!HolesFit(circle, m, room)) {
    return Refuse(Field::BoltCircle,
                  "The holes must clear each other and the bore, and leave a wall inside the "
                  "roller seats (" +
                      LengthText(2 * room.wall_radius, unit) + " across)");
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
