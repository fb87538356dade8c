// The checks and the derived dimensions of a run. A field fails when its leading number
// fails the test the window always made, and also when its text is not wholly a number, since
// every computation reads the field strictly; further checks refuse inputs for which the
// construction would produce no real outline.
#include "sprocket/run.h"

#include <cmath>
#include <initializer_list>

#include "geometry/angles.h"
#include "sprocket/holes.h"
#include "sprocket/mounting_fields.h"
#include "sprocket/numbers.h"
#include "sprocket/outline.h"

namespace toothwright {
namespace {

// The numbers of the three chain fields, once each has passed its own check.
struct ChainNumbers {
  double pitch = 0;
  double T = 0;
  double roller = 0;
};

std::optional<double> CheckPositive(const std::string& text) {
  if (!(ParseLeadingReal(text) > 0)) return std::nullopt;
  return ParseReal(text);
}

std::optional<double> CheckTeeth(const std::string& text) {
  if (!(ParseLeadingReal(text) > 3)) return std::nullopt;
  const std::optional<double> T = ParseReal(text);
  // A fractional count gives teeth that do not close the circle.
  if (!T || *T != std::floor(*T) || *T > kMaxTeeth) return std::nullopt;
  return T;
}

std::string PitchDiameterText(double pitch, double T) {
  const double s = std::sin(DegToRad(180 / T));
  const double diameter = pitch / s;
  return std::isfinite(diameter) ? FormatReal(diameter) : std::string();
}

bool AllFinite(std::initializer_list<double> values) {
  for (double v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

// A pitch so large that the construction overflows: a square, a rounded coordinate or a
// radius of tooth 1 (rounding multiplies by 10^4) is not finite.
bool ConstructionOverflows(double PitchDiameter, const FirstTooth& t, double FlankRadius) {
  const double dx = t.RollerX2 - t.RollerX1;
  const double dy = t.RollerY2 - t.RollerY1;
  return !AllFinite({PitchDiameter * PitchDiameter,
                     dx * dx + dy * dy,
                     FlankRadius * FlankRadius,
                     t.RollerX1,
                     t.RollerY1,
                     t.RollerX2,
                     t.RollerY2,
                     t.FlankStartX,
                     t.FlankStartY,
                     t.TipX,
                     t.TipY,
                     t.FlankEndX,
                     t.FlankEndY,
                     Round4(t.PitchRadius),
                     Round4(t.FlankStartRadius),
                     Round4(t.TipRadius),
                     Round4(t.FlankEndRadius),
                     t.FlankStartAngle,
                     t.TipAngle,
                     t.FlankEndAngle,
                     t.TipRadius * 2});
}

// How far a constructed point of tooth 1 may lie off the circle it was constructed on: the
// four-decimal rounding, and the precision the closed-form intersections lose on steep lines
// and large sizes. Beyond it the construction has failed (a seat point from a line that
// "missed" its circle through cancellation) and the outline would be meaningless.
constexpr double kConstructionSlack = 1e-3;
constexpr double kConstructionRelativeSlack = 0.01;

bool OnCircle(double x, double y, double centre_x, double centre_y, double radius) {
  const double distance = std::hypot(x - centre_x, y - centre_y);
  return std::fabs(distance - radius) <= kConstructionSlack + kConstructionRelativeSlack * radius;
}

bool ToothOnItsCircles(const FirstTooth& t, double RollerRadius, double FlankRadius) {
  return OnCircle(t.FlankStartX, t.FlankStartY, t.RollerX1, t.RollerY1, RollerRadius) &&
         OnCircle(t.FlankEndX, t.FlankEndY, t.RollerX2, t.RollerY2, RollerRadius) &&
         OnCircle(t.TipX, t.TipY, t.RollerX1, t.RollerY1, FlankRadius) &&
         OnCircle(t.TipX, t.TipY, t.RollerX2, t.RollerY2, FlankRadius);
}

std::optional<ValidationMessage> CheckConstruction(const ChainNumbers& n) {
  const std::string diameter_text = PitchDiameterText(n.pitch, n.T);
  const std::optional<double> diameter = ParseReal(diameter_text);
  if (!diameter) return ValidationMessage{kPitchMessage};
  const double RollerRadius = n.roller / 2;
  const double FlankRadius = n.pitch - RollerRadius;
  const FirstTooth t = ConstructFirstTooth(*diameter, 360 / n.T, RollerRadius, FlankRadius);
  if (ConstructionOverflows(*diameter, t, FlankRadius)) return ValidationMessage{kPitchMessage};
  if (!t.flanks_meet || !ToothOnItsCircles(t, RollerRadius, FlankRadius)) {
    return ValidationMessage{kRollerMessage};
  }
  return std::nullopt;
}

// The wall left between the holes and the roller seats, as a share of the pitch.
constexpr double kWallPerPitch = 0.1;

// The room the teeth leave the mounting: the circle through the seats' innermost points, the
// seats about roller centres at half the pitch diameter with the radius the outline gives
// them, less the wall. The tool diameter counts when it is a positive number.
MountingRoom RoomOf(const FieldTexts& fields, const ChainNumbers& n) {
  const double pitch_diameter = *ParseReal(PitchDiameterText(n.pitch, n.T));
  const double seat_radius = n.roller / 2;
  std::optional<double> tool = ParseReal(fields.tool_diameter);
  if (tool && !(*tool > 0)) tool.reset();
  return {.wall_radius = pitch_diameter / 2 - seat_radius - kWallPerPitch * n.pitch,
          .tool_diameter = tool};
}

}  // namespace

std::optional<ValidationMessage> CheckFields(const FieldTexts& fields) {
  ChainNumbers n;
  if (const auto pitch = CheckPositive(fields.pitch)) {
    n.pitch = *pitch;
  } else {
    return ValidationMessage{kPitchMessage};
  }
  if (const auto T = CheckTeeth(fields.teeth)) {
    n.T = *T;
  } else {
    return ValidationMessage{kTeethMessage};
  }
  const auto roller = CheckPositive(fields.roller);
  if (!roller || !(*roller < n.pitch)) return ValidationMessage{kRollerMessage};
  n.roller = *roller;
  if (auto message = CheckConstruction(n)) return message;
  // The plunge line writes the depth's leading number; one beyond the double range has none.
  if (!std::isfinite(ParseLeadingReal(fields.depth))) return ValidationMessage{kDepthMessage};
  // The mounting comes last: it is judged against the teeth and the tool.
  if (auto message = CheckMounting(fields, RoomOf(fields, n))) return message;
  return std::nullopt;
}

std::variant<SprocketRun, ValidationMessage> RunSprocket(const FieldTexts& fields) {
  if (auto message = CheckFields(fields)) return *message;
  const double pitch = *ParseReal(fields.pitch);
  const double roller = *ParseReal(fields.roller);
  SprocketRun run;
  run.T = *ParseReal(fields.teeth);
  run.N = static_cast<int>(RoundHalfEven(ParseLeadingReal(fields.teeth)));
  run.pitch_diameter_text = PitchDiameterText(pitch, run.T);
  run.ToothAngle = 360 / run.T;
  run.RollerRadius = roller / 2;
  run.FlankRadius = pitch - run.RollerRadius;
  ToothProfileResult profile = BuildToothProfile(run.pitch_diameter_text, run.T, run.N,
                                                 run.ToothAngle, run.RollerRadius, run.FlankRadius);
  run.profile = std::move(profile.profile);
  run.outline =
      BuildOutline(run.profile, run.T, run.N, {.flank = run.FlankRadius, .seat = run.RollerRadius});
  run.outside_diameter_text = std::move(profile.outside_diameter_text);
  run.mounting = std::get<Mounting>(ReadMounting(fields, RoomOf(fields, {pitch, run.T, roller})));
  run.holes = BuildHoles(run.mounting);
  return run;
}

}  // namespace toothwright
