// Each field is read strictly (the whole text one number) and judged in field order, so that
// the message names the first field the user has to change, and the reason says by how much.
#include "sprocket/solid_fields.h"

#include <algorithm>
#include <cmath>

#include "numbers/numbers.h"
#include "numbers/units.h"
#include "sprocket/tooth_form.h"
#include "sprocket/tooth_width.h"

namespace toothwright {
namespace {

// Lengths from here up would give coordinates that need an exponent, as the outline's are
// refused at this size across.
constexpr double kMaxSolidLength = 1e14;
// Below this chord tolerance (0.0001 mm) a mesh of an ordinary part would run to millions of
// facets for no visible gain.
constexpr double kMinMeshToleranceMillimetres = 1e-4;
// The mesh tolerance stays below this share of the pitch (a tenth), so that the facets still
// follow the seats.
constexpr double kMeshToleranceShareOfPitch = 0.1;

std::optional<double> ReadLength(const std::string& text) {
  const std::optional<double> value = ParsePositive(text);
  if (!value || !(*value < kMaxSolidLength)) return std::nullopt;
  return value;
}

using ThicknessRead = std::variant<std::optional<double>, FieldError>;

ThicknessRead ReadThickness(const FieldTexts& texts, const SolidRoom& room, int strands) {
  if (IsBlank(texts.thickness)) return std::optional<double>{};
  if (IsAnsiWord(texts.thickness)) {
    const std::optional<double> width =
        room.chain ? StandardToothWidth(*room.chain, strands, room.unit) : std::nullopt;
    if (!width) {
      return Refuse(Field::Thickness, "The chain has no standard inner width: give the thickness.");
    }
    return width;
  }
  const std::optional<double> thickness = ReadLength(texts.thickness);
  if (!thickness) {
    return Refuse(Field::Thickness, "The thickness must be a length above 0.");
  }
  return thickness;
}

// The bore as the reasons name it: "bore with its keyway" only when it has one.
std::string BoreName(const SolidRoom& room) {
  return room.keyway ? "bore with its keyway" : "bore";
}

using HubRead = std::variant<std::optional<Hub>, FieldError>;

HubRead ReadHub(const FieldTexts& texts, const SolidRoom& room) {
  const bool no_diameter = IsBlank(texts.hub_diameter), no_length = IsBlank(texts.hub_length);
  if (no_diameter && no_length) return std::optional<Hub>{};
  if (no_diameter) {
    return Refuse(Field::HubDiameter, "A hub needs both a diameter and a length.");
  }
  const std::optional<double> diameter = ReadLength(texts.hub_diameter);
  if (!diameter) {
    return Refuse(Field::HubDiameter, "The hub diameter must be a length above 0.");
  }
  // Wider than the bore's reach; no wider than the wall inside the seats, and narrower than the
  // bolt holes' inner edges: the hub's side may not touch a hole, as a hole cut tangent into it
  // leaves no wall at all.
  const double least = ShownBound(2 * room.bore_reach, room.unit, Bound::Above);
  double most = ShownBound(2 * room.wall_radius, room.unit, Bound::AtMost);
  const char* most_reason = "to leave a wall inside the roller seats";
  bool fits = *diameter > 2 * room.bore_reach && *diameter <= 2 * room.wall_radius;
  if (room.bolt_circle) {
    const double clear = room.bolt_circle->diameter - room.bolt_circle->hole_diameter;
    fits = fits && *diameter < clear;
    if (const double below = ShownBound(clear, room.unit, Bound::Below); below < most) {
      most = below;
      most_reason = "to clear the bolt holes";
    }
  }
  if (!fits) {
    if (!(least <= most)) {
      return Refuse(Field::HubDiameter, "No hub fits between the " + BoreName(room) + " and " +
                                            (room.bolt_circle ? "the bolt holes." : "the seats."));
    }
    const std::string hub = "The hub (" + LengthText(*diameter, room.unit) + ") must be ";
    if (!(*diameter > 2 * room.bore_reach)) {
      return Refuse(Field::HubDiameter, hub + "at least " + LengthText(least, room.unit) +
                                            " across to clear the " + BoreName(room) + ".");
    }
    return Refuse(Field::HubDiameter,
                  hub + "at most " + LengthText(most, room.unit) + " across " + most_reason + ".");
  }
  if (no_length) return Refuse(Field::HubLength, "A hub needs both a diameter and a length.");
  const std::optional<double> length = ReadLength(texts.hub_length);
  if (!length) return Refuse(Field::HubLength, "The hub length must be a length above 0.");
  return std::optional<Hub>{Hub{.diameter = *diameter, .length = *length}};
}

// The transverse pitch for strands rows (0 for one), or why they do not fit.
std::variant<double, FieldError> ReadTransversePitch(const SolidRoom& room, int strands,
                                                     const std::optional<double>& thickness) {
  if (strands == 1) return 0.0;
  if (!room.chain || !(room.chain->transverse_pitch > 0)) {
    return Refuse(Field::Strands,
                  "The chain has no standard transverse pitch for several strands.");
  }
  const double transverse_pitch = room.unit == LengthUnit::Inch
                                      ? room.chain->transverse_pitch
                                      : room.chain->transverse_pitch * kMillimetresPerInch;
  if (thickness && !(*thickness < transverse_pitch)) {
    return Refuse(Field::Strands,
                  "The rows of teeth (" + LengthText(*thickness, room.unit) +
                      " wide) overlap at the chain's transverse pitch (" +
                      LengthText(transverse_pitch, room.unit) + "): a thickness of at most " +
                      BoundText(transverse_pitch, room.unit, Bound::Below) + ", or 1 strand.");
  }
  const double web = WebRadius(room.pitch, room.teeth, room.wall_radius, room.unit);
  if (!(web > room.bore_reach)) {
    // The bore's reach must stay below the body's radius: its diameter below the body's.
    const double most = ShownBound(2 * web, room.unit, Bound::Below);
    if (!(most > 0)) {
      return Refuse(Field::Strands,
                    "The body between the rows leaves no room for a bore: 1 strand.");
    }
    const std::string bore = "The " + BoreName(room) + " (" +
                             LengthText(2 * room.bore_reach, room.unit) +
                             (room.keyway ? " across" : "") + ")";
    return Refuse(Field::Strands, bore +
                                      " must be narrower than the body between the rows: at most " +
                                      LengthText(most, room.unit) + ", or 1 strand.");
  }
  return transverse_pitch;
}

// Why a mesh tolerance was refused, with the tolerances from low up to below high that
// LengthText writes whole.
std::string MeshToleranceReason(double low, double high, LengthUnit unit) {
  const double from = ShownBound(low, unit, Bound::AtLeast);
  const double to = ShownBound(high, unit, Bound::Below);
  if (!(from <= to)) return "The pitch is too small for a mesh tolerance.";
  return "The mesh tolerance must be from " + LengthText(from, unit) + " to " +
         LengthText(to, unit) + ", below a tenth of the pitch.";
}

}  // namespace

double WebRadius(double pitch, int teeth, double wall_radius, LengthUnit unit) {
  return std::min(PlateClearanceDiameter(pitch, teeth, unit) / 2, wall_radius);
}

std::variant<SolidOptions, FieldError> ReadSolidFields(const FieldTexts& texts,
                                                       const SolidRoom& room) {
  // The standard's width depends on the number of strands, which is judged after the
  // thickness; a strands text that fails is refused in its turn.
  const std::optional<int> strands =
      IsBlank(texts.strands) ? 1 : ParseCount(texts.strands, 1, kMaxStrands);

  SolidOptions options;
  ThicknessRead thickness = ReadThickness(texts, room, strands.value_or(1));
  if (auto* error = std::get_if<FieldError>(&thickness)) return *error;
  options.thickness = std::get<std::optional<double>>(thickness);

  HubRead hub = ReadHub(texts, room);
  if (auto* error = std::get_if<FieldError>(&hub)) return *error;
  options.hub = std::get<std::optional<Hub>>(hub);

  if (!strands) {
    return Refuse(Field::Strands, "The strands must be a whole number from 1 to " +
                                      std::to_string(kMaxStrands) + ".");
  }
  options.strands = *strands;
  const auto transverse_pitch = ReadTransversePitch(room, *strands, options.thickness);
  if (auto* error = std::get_if<FieldError>(&transverse_pitch)) return *error;
  options.transverse_pitch = std::get<double>(transverse_pitch);

  const double low = room.unit == LengthUnit::Inch
                         ? kMinMeshToleranceMillimetres / kMillimetresPerInch
                         : kMinMeshToleranceMillimetres;
  const double high = kMeshToleranceShareOfPitch * room.pitch;
  if (IsBlank(texts.mesh_tolerance)) {
    options.mesh_tolerance = room.unit == LengthUnit::Inch ? kDefaultMeshToleranceInches
                                                           : kDefaultMeshToleranceMillimetres;
  } else {
    const std::optional<double> tolerance = ParsePositive(texts.mesh_tolerance);
    if (!tolerance || !(*tolerance >= low) || !(*tolerance < high)) {
      return Refuse(Field::MeshTolerance, MeshToleranceReason(low, high, room.unit));
    }
    options.mesh_tolerance = *tolerance;
  }
  return options;
}

}  // namespace toothwright
