// The checks and the derived dimensions of a run. A field fails when its leading number
// fails the test the window always made, and also when its text is not wholly a number, since
// every computation reads the field strictly; further checks refuse inputs for which the
// construction would produce no real outline.
#include "sprocket/run.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "geometry/angles.h"
#include "sprocket/holes.h"
#include "sprocket/machining.h"
#include "sprocket/mounting_fields.h"
#include "sprocket/numbers.h"
#include "sprocket/outline.h"
#include "sprocket/tooth_form.h"
#include "sprocket/units.h"

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

// The program writes coordinates without an exponent only below 1e15 (FormatReal turns to
// exponent form there, and a controller reads the E as a word of its own); a sprocket stays
// well below it, so that the cutter's path round it and the arcs' offsets do too.
constexpr double kLargestOutsideDiameter = 1e14;

// Tooth 1 as the construction builds it with the given seat radius, or the message of the
// field at fault: the pitch when the numbers overflow or the sprocket is too large to write,
// otherwise fault_message.
std::variant<FirstTooth, ValidationMessage> Construct(const ChainNumbers& n, double SeatRadius,
                                                      const char* fault_message) {
  const std::string diameter_text = PitchDiameterText(n.pitch, n.T);
  const std::optional<double> diameter = ParseReal(diameter_text);
  if (!diameter) return ValidationMessage{kPitchMessage};
  const double FlankRadius = n.pitch - SeatRadius;
  FirstTooth t = ConstructFirstTooth(*diameter, 360 / n.T, SeatRadius, FlankRadius);
  if (ConstructionOverflows(*diameter, t, FlankRadius) ||
      !(2 * t.TipRadius < kLargestOutsideDiameter)) {
    return ValidationMessage{kPitchMessage};
  }
  if (!t.flanks_meet || !ToothOnItsCircles(t, SeatRadius, FlankRadius)) {
    return ValidationMessage{fault_message};
  }
  return t;
}

// The outline of the chain's teeth with these seats, topped at TopRadius when given, as the
// run builds it.
Path OutlineOf(const ChainNumbers& n, double SeatRadius, std::optional<double> TopRadius) {
  const int N = static_cast<int>(n.T);
  const double FlankRadius = n.pitch - SeatRadius;
  const ToothProfileResult built = BuildToothProfile(PitchDiameterText(n.pitch, n.T), n.T, N,
                                                     360 / n.T, SeatRadius, FlankRadius, TopRadius);
  return BuildOutline(built.profile, n.T, N,
                      {.flank = FlankRadius, .seat = SeatRadius, .top = TopRadius.value_or(0)});
}

// The tooth-form fields read and checked against the chain: the seat radius and the top
// diameter, when the teeth are topped.
struct ToothFormValues {
  double SeatRadius = 0;
  std::optional<double> TopDiameter;
};

std::variant<ToothFormValues, ValidationMessage> ReadToothForm(const FieldTexts& fields,
                                                               const ChainNumbers& n) {
  const std::optional<double> clearance =
      ReadSeatClearance(fields.seat_clearance, n.roller, IsEnglish(fields.units));
  ToothFormValues values;
  values.SeatRadius = n.roller / 2 + clearance.value_or(0);
  // Seats that reach half the pitch would overlap their neighbours.
  if (!clearance || !(values.SeatRadius < n.pitch / 2)) {
    return ValidationMessage{kSeatClearanceMessage};
  }
  auto tooth = Construct(n, values.SeatRadius, kSeatClearanceMessage);
  if (auto* message = std::get_if<ValidationMessage>(&tooth)) return *message;
  const FirstTooth& t = std::get<FirstTooth>(tooth);
  // A clearance shortens the flanks, on a tiny chain to less than the coordinates can show.
  // (A bare roller's seats so small that they round to nothing are written as they always
  // were: the cutter barely moves there.)
  if (values.SeatRadius != n.roller / 2 &&
      HasUnwritableArc(OutlineOf(n, values.SeatRadius, std::nullopt))) {
    return ValidationMessage{kSeatClearanceMessage};
  }

  const auto top = ReadTipDiameter(fields.tip_diameter, n.pitch, n.T);
  if (!top) return ValidationMessage{kTipDiameterMessage};
  values.TopDiameter = *top;
  if (values.TopDiameter) {
    // The top circle must cut every flank between its seat and the tip.
    const double lowest = 2 * std::max(t.FlankStartRadius, t.FlankEndRadius);
    const double pointed = 2 * t.TipRadius;
    if (!(*values.TopDiameter > lowest && *values.TopDiameter < pointed)) {
      return ValidationMessage{kTipDiameterMessage};
    }
    // A top circle just below the tips, or just above the seats, leaves a top or a flank
    // smaller than the coordinates can show.
    if (HasUnwritableArc(OutlineOf(n, values.SeatRadius, *values.TopDiameter / 2))) {
      return ValidationMessage{kTipDiameterMessage};
    }
  }
  return values;
}

// Every field read and checked, in the order the messages are given.
struct CheckedFields {
  ChainNumbers chain;
  ToothFormValues form;
  Mounting mounting;
  std::optional<SprocketRun> sprocket;  // built already when a check measured the outline
};

// The wall left between the holes and the roller seats, as a share of the pitch.
constexpr double kWallPerPitch = 0.1;

// The room the teeth leave the mounting: the circle through the seats' innermost points, the
// seats about roller centres at half the pitch diameter, less the wall. The tool diameter
// counts when it is a positive number.
MountingRoom RoomOf(const FieldTexts& fields, const ChainNumbers& n, double SeatRadius) {
  const double pitch_diameter = *ParseReal(PitchDiameterText(n.pitch, n.T));
  const std::optional<double> tool = ParsePositive(fields.tool_diameter);
  return {.wall_radius = pitch_diameter / 2 - SeatRadius - kWallPerPitch * n.pitch,
          .tool_diameter = tool};
}

// The sprocket of fields whose chain and tooth form passed the checks, without its holes.
SprocketRun BuildSprocket(const FieldTexts& fields, const CheckedFields& checked) {
  SprocketRun run;
  run.T = checked.chain.T;
  run.N = static_cast<int>(RoundHalfEven(ParseLeadingReal(fields.teeth)));
  run.pitch_diameter_text = PitchDiameterText(checked.chain.pitch, run.T);
  run.ToothAngle = 360 / run.T;
  run.RollerRadius = checked.chain.roller / 2;
  run.SeatRadius = checked.form.SeatRadius;
  run.FlankRadius = checked.chain.pitch - run.SeatRadius;
  run.TopDiameter = checked.form.TopDiameter;
  std::optional<double> TopRadius;
  if (run.TopDiameter) TopRadius = *run.TopDiameter / 2;
  ToothProfileResult profile =
      BuildToothProfile(run.pitch_diameter_text, run.T, run.N, run.ToothAngle, run.SeatRadius,
                        run.FlankRadius, TopRadius);
  run.profile = std::move(profile.profile);
  run.outline = BuildOutline(
      run.profile, run.T, run.N,
      {.flank = run.FlankRadius, .seat = run.SeatRadius, .top = TopRadius.value_or(0)});
  run.outside_diameter_text =
      run.TopDiameter ? FormatReal(*run.TopDiameter) : std::move(profile.outside_diameter_text);
  return run;
}

std::variant<CheckedFields, ValidationMessage> ReadFields(const FieldTexts& fields) {
  CheckedFields checked;
  ChainNumbers& n = checked.chain;
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
  if (auto tooth = Construct(n, n.roller / 2, kRollerMessage);
      auto* message = std::get_if<ValidationMessage>(&tooth)) {
    return *message;
  }
  // The program writes the depth's value and copies the feed: each must be wholly a number.
  if (!ReadDepthOfCut(fields.depth)) return ValidationMessage{kDepthMessage};
  if (!FeedRatePasses(fields.feed)) return ValidationMessage{kFeedMessage};
  auto form = ReadToothForm(fields, n);
  if (auto* message = std::get_if<ValidationMessage>(&form)) return *message;
  checked.form = std::get<ToothFormValues>(form);
  // The machining options, measured on the outline the run cuts when they need it; the
  // sprocket built for them serves the run too.
  const auto outline = [&]() -> const Path& {
    checked.sprocket = BuildSprocket(fields, checked);
    return checked.sprocket->outline;
  };
  if (auto message = CheckMachining(fields, outline)) {
    return *message;
  }
  // The mounting comes last: it is judged against the teeth and the tool.
  auto mounting = ReadMounting(fields, RoomOf(fields, n, checked.form.SeatRadius));
  if (auto* message = std::get_if<ValidationMessage>(&mounting)) return *message;
  checked.mounting = std::get<Mounting>(mounting);
  return checked;
}

}  // namespace

std::optional<ValidationMessage> CheckFields(const FieldTexts& fields) {
  auto checked = ReadFields(fields);
  if (auto* message = std::get_if<ValidationMessage>(&checked)) return *message;
  return std::nullopt;
}

std::variant<SprocketRun, ValidationMessage> RunSprocket(const FieldTexts& fields) {
  auto read = ReadFields(fields);
  if (auto* message = std::get_if<ValidationMessage>(&read)) return *message;
  CheckedFields& checked = std::get<CheckedFields>(read);
  SprocketRun run =
      checked.sprocket ? std::move(*checked.sprocket) : BuildSprocket(fields, checked);
  run.mounting = checked.mounting;
  run.holes = BuildHoles(run.mounting);
  return run;
}

}  // namespace toothwright
