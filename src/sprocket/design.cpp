// The checks of a design. A field fails when its leading number fails the test the window
// always made, and also when its text is not wholly a number, since every computation reads
// the field strictly; further checks refuse inputs for which the construction would produce
// no real outline.
#include "sprocket/design.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <span>
#include <utility>

#include "numbers/numbers.h"
#include "sprocket/holes.h"
#include "sprocket/lead_in.h"
#include "sprocket/mounting_fields.h"
#include "sprocket/outline.h"
#include "sprocket/process_fields.h"
#include "sprocket/tool_fit.h"
#include "sprocket/tooth_form.h"

namespace toothwright {
namespace {

// The numbers of the three chain fields, once each has passed its own check.
struct ChainNumbers {
  double pitch = 0;
  int teeth = 0;
  double roller = 0;
  double pitch_diameter = 0;  // as the run shows it
};

std::optional<double> CheckPositive(const std::string& text) {
  if (!(ParseLeadingReal(text) > 0)) return std::nullopt;
  return ParseReal(text);
}

std::optional<int> CheckTeeth(const std::string& text) {
  if (!(ParseLeadingReal(text) > 3)) return std::nullopt;
  const std::optional<double> T = ParseReal(text);
  // A fractional count gives teeth that do not close the circle.
  if (!T || *T != std::floor(*T) || *T > kMaxTeeth) return std::nullopt;
  return static_cast<int>(*T);
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

// Tooth 1 as the construction builds it with the given seat radius, or the error of the
// field at fault: the pitch when the numbers overflow or the sprocket is too large to write,
// otherwise `fault`.
std::variant<FirstTooth, FieldError> Construct(const ChainNumbers& n, double SeatRadius,
                                               Field fault, const char* fault_reason) {
  const double FlankRadius = n.pitch - SeatRadius;
  FirstTooth t = ConstructFirstTooth(n.pitch_diameter, 360 / static_cast<double>(n.teeth),
                                     SeatRadius, FlankRadius);
  if (ConstructionOverflows(n.pitch_diameter, t, FlankRadius) ||
      !(2 * t.TipRadius < kLargestOutsideDiameter)) {
    return Refuse(Field::Pitch, "The sprocket is too large to compute or to write");
  }
  if (!t.flanks_meet || !ToothOnItsCircles(t, SeatRadius, FlankRadius)) {
    return Refuse(fault, fault_reason);
  }
  return t;
}

// The sprocket of the chain's teeth with these seats, topped at TopDiameter when given, kept
// in paths: the last one a check builds is the design's own.
const Path& OutlineOf(const ChainNumbers& n, double SeatRadius, std::optional<double> TopDiameter,
                      DesignPaths& paths) {
  paths.sprocket = BuildSprocket({.pitch = n.pitch,
                                  .roller = n.roller,
                                  .teeth = n.teeth,
                                  .pitch_diameter = n.pitch_diameter,
                                  .SeatRadius = SeatRadius,
                                  .TopDiameter = TopDiameter});
  ++paths.outlines_built;
  return paths.sprocket->outline;
}

// The last whole count of steps that fits, halving between works (which fits) and fails
// (which does not): the limits fit up to a point and not beyond.
template <typename Fits>
double LastFitting(double works, double fails, const Fits& fits) {
  while (fails - works > 1) {
    const double half = std::floor((works + fails) / 2);
    if (fits(half)) {
      works = half;
    } else {
      fails = half;
    }
  }
  return works;
}

// The largest clearance LengthText writes whole with which the seats stay narrower than the
// pitch and the flanks still meet in a tip. More clearance only widens the seats and shortens
// the flanks, so it is found by halving the steps between none (the bare roller's seats, which
// the chain's check constructed) and the seats' limit.
double MostClearance(const ChainNumbers& n, LengthUnit unit) {
  const double step = ShownBound(0, unit, Bound::Above);
  const auto fits = [&](double steps) {
    const double SeatRadius = n.roller / 2 + ShownValue(steps * step, unit);
    return SeatRadius < n.pitch / 2 &&
           std::holds_alternative<FirstTooth>(Construct(n, SeatRadius, Field::SeatClearance, ""));
  };
  double works = 0;
  double fails = std::round(ShownBound((n.pitch - n.roller) / 2, unit, Bound::Below) / step);
  if (fits(fails)) return ShownValue(fails * step, unit);
  return ShownValue(LastFitting(works, fails, fits) * step, unit);
}

// The seats' radius: the roller's widened by the seat clearance field's, checked against the
// pitch.
std::variant<double, FieldError> ReadSeatRadius(const FieldTexts& fields, const ChainNumbers& n,
                                                LengthUnit unit) {
  const std::optional<double> clearance = ReadSeatClearance(fields.seat_clearance, n.roller, unit);
  if (!clearance) {
    return Refuse(Field::SeatClearance, "A length of 0 or more, or ANSI");
  }
  const double SeatRadius = n.roller / 2 + *clearance;
  // Seats that reach half the pitch would overlap their neighbours.
  if (!(SeatRadius < n.pitch / 2)) {
    return Refuse(Field::SeatClearance,
                  "The seats (" + LengthText(2 * SeatRadius, unit) +
                      " across) must be narrower than the pitch (" + LengthText(n.pitch, unit) +
                      "): a clearance of at most " + LengthText(MostClearance(n, unit), unit));
  }
  return SeatRadius;
}

// Whether the sprocket topped at top writes every arc of its outline.
bool TopWrites(const ChainNumbers& n, double SeatRadius, double top) {
  return !HasUnwritableArc(BuildSprocket({.pitch = n.pitch,
                                          .roller = n.roller,
                                          .teeth = n.teeth,
                                          .pitch_diameter = n.pitch_diameter,
                                          .SeatRadius = SeatRadius,
                                          .TopDiameter = top})
                               .outline);
}

// Why a tip diameter was refused (why), then the diameters LengthText writes whole that the
// checks take: above the flanks' feet and below the pointed tips (lowest, pointed), and far enough
// from both that every flank and top is long enough to write. That is so from some way above
// the feet to some way below the tips; each end is found by halving the steps between it and
// the middle, which builds a sprocket a step.
std::string TipRangeReason(const std::string& why, const ChainNumbers& n, double SeatRadius,
                           double lowest, double pointed, LengthUnit unit) {
  const double step = ShownBound(0, unit, Bound::Above);
  double from = std::round(ShownBound(lowest, unit, Bound::Above) / step);
  double to = std::round(ShownBound(pointed, unit, Bound::Below) / step);
  const auto writes = [&](double steps) {
    return TopWrites(n, SeatRadius, ShownValue(steps * step, unit));
  };
  const double middle = std::floor((from + to) / 2);
  if (!(from <= to) || !writes(middle)) {
    return "No tip diameter leaves flanks and tops the program can write: leave it blank";
  }
  // Each search keeps a failing and a writing end.
  const auto halve = [&](double fails, double works) {
    while (std::fabs(works - fails) > 1) {
      const double half = std::floor((fails + works) / 2);
      if (writes(half)) {
        works = half;
      } else {
        fails = half;
      }
    }
    return works;
  };
  if (!writes(from)) from = halve(from, middle);
  if (!writes(to)) to = halve(to, middle);
  return why + ": from " + LengthText(ShownValue(from * step, unit), unit) + " to " +
         LengthText(ShownValue(to * step, unit), unit);
}

// The tooth-form fields read and checked against the chain.
std::variant<ToothNumbers, FieldError> ReadToothForm(const FieldTexts& fields,
                                                     const ChainNumbers& n, LengthUnit unit,
                                                     DesignPaths& paths) {
  ToothNumbers values{
      .pitch = n.pitch, .roller = n.roller, .teeth = n.teeth, .pitch_diameter = n.pitch_diameter};
  auto seat = ReadSeatRadius(fields, n, unit);
  if (auto* error = std::get_if<FieldError>(&seat)) return std::move(*error);
  values.SeatRadius = std::get<double>(seat);
  values.wall_radius = WallRadius(n.pitch_diameter, values.SeatRadius, n.pitch);
  auto tooth = Construct(n, values.SeatRadius, Field::SeatClearance,
                         "With this clearance the flanks no longer meet in a tip");
  if (auto* error = std::get_if<FieldError>(&tooth)) {
    if (error->field == Field::SeatClearance) {
      error->reason += ": a clearance of at most " + LengthText(MostClearance(n, unit), unit);
    }
    return std::move(*error);
  }
  const FirstTooth& t = std::get<FirstTooth>(tooth);
  // The top circle must cut every flank between its seat and the tip.
  const double lowest = 2 * std::max(t.FlankStartRadius, t.FlankEndRadius);
  const double pointed = 2 * t.TipRadius;
  const auto top = ReadTipDiameter(fields.tip_diameter, n.pitch, n.teeth);
  const bool top_in_range = top && *top && **top > lowest && **top < pointed;

  // A clearance shortens the flanks, on a tiny chain to less than the coordinates can show.
  // (A bare roller's seats so small that they round to nothing are written as they always
  // were: the cutter barely moves there.) Topping only shortens the flanks further, so when
  // the topped outline, which the run needs anyway, writes well, so would the pointed one.
  bool topped_writes = false;
  if (values.SeatRadius != n.roller / 2) {
    topped_writes = top_in_range && !HasUnwritableArc(OutlineOf(n, values.SeatRadius, *top, paths));
    if (!topped_writes && HasUnwritableArc(OutlineOf(n, values.SeatRadius, std::nullopt, paths))) {
      return Refuse(Field::SeatClearance, "The flanks become too short for the program's decimals");
    }
  }

  if (!top) return Refuse(Field::TipDiameter, "A diameter, or ANSI");
  values.TopDiameter = *top;
  if (values.TopDiameter) {
    if (!top_in_range) {
      return Refuse(Field::TipDiameter,
                    TipRangeReason("It must lie between the flanks' feet and the pointed tips", n,
                                   values.SeatRadius, lowest, pointed, unit));
    }
    // A top circle just below the tips, or just above the seats, leaves a top or a flank
    // smaller than the coordinates can show.
    if (!topped_writes &&
        HasUnwritableArc(OutlineOf(n, values.SeatRadius, values.TopDiameter, paths))) {
      return Refuse(
          Field::TipDiameter,
          TipRangeReason("It leaves a top or a flank too short for the program's decimals", n,
                         values.SeatRadius, lowest, pointed, unit));
    }
  }
  return values;
}

// A roller of 5/8 of the pitch, as the ANSI chains have: one whose teeth construct.
constexpr double kStandardRollerShare = 0.625;

// How near typed sizes must be to a chain's own to count as that chain, as a share of them.
constexpr double kSameSize = 1e-9;

// The room the teeth leave the mounting: within the wall inside the seats.
MountingRoom RoomOf(const ToothNumbers& n) {
  return {.wall_radius = n.wall_radius};
}

// The largest tool one thing the cutter goes round takes, and what that is (empty: the teeth).
struct ToolLimit {
  double largest = 0;  // rounded down to the decimals LengthText writes whole
  const char* what = "";
};

// The tool diameter against everything it cuts round: the arcs of the teeth and of the holes,
// which it must leave a radius (ToolFits), and the keyway, narrower than the bore's arcs,
// which it must be narrower than and whose sides it must be able to turn round (a side
// shorter than its radius would have it turn past the far side and cut the keyway deeper than
// asked). A tool that does not fit is refused on its own field, naming the largest that fits
// them all. The holes are built when a mounting is given, and kept in paths.
std::optional<FieldError> CheckToolFits(const FieldTexts& fields, const CutWidthField& width,
                                        MeasuredOutline& outline, const Mounting* mounting,
                                        LengthUnit unit, DesignPaths& paths) {
  // Blank, not a number or beside the controller's offset: refused with the other machining
  // fields, in their order.
  const std::optional<double> tool = ParsePositive(fields.*width.text);
  if (!tool || fields.offset) return std::nullopt;
  bool fits = true;
  std::vector<ToolLimit> limits;
  const auto arcs = [&](std::span<const Path> contours, const char* what) {
    fits = fits && ToolFits(contours, *tool, unit);
    limits.push_back({ShownBound(LargestToolDiameter(contours, unit), unit, Bound::AtMost), what});
  };
  arcs(std::span(&outline.Outline(), 1), "");
  if (mounting) {
    paths.holes = BuildHoles(*mounting);
    const std::span<const Path> holes(*paths.holes);
    const size_t bolt_holes = mounting->bolt_circle ? holes.size() - (mounting->bore ? 1 : 0) : 0;
    if (mounting->bore) arcs(holes.subspan(bolt_holes), "the bore");
    if (const std::optional<Keyway>& keyway = mounting->keyway) {
      const double sides = KeywaySideLength(*mounting->bore, *keyway);
      fits = fits && *tool < keyway->width && *tool / 2 <= sides;
      limits.push_back({std::min(ShownBound(keyway->width, unit, Bound::Below),
                                 ShownBound(2 * sides, unit, Bound::AtMost)),
                        "the keyway"});
    }
    if (bolt_holes > 0) arcs(holes.first(bolt_holes), "the bolt holes");
  }
  if (fits) return std::nullopt;
  // The first of the smallest: the teeth when they take no more than an opening.
  const ToolLimit& limit = *std::min_element(
      limits.begin(), limits.end(),
      [](const ToolLimit& a, const ToolLimit& b) { return a.largest < b.largest; });
  return Refuse(width.field, LargestToolReason(limit.largest, unit, limit.what, width.noun));
}

// The largest roller LengthText writes whole that is smaller than the pitch and lets the teeth
// be constructed, 0 when none is found. A larger roller only shortens the flanks, so it is
// found by halving the steps between a roller of the standard chains' share of the pitch and
// the pitch.
double MostRoller(ChainNumbers n, double pitch_diameter, LengthUnit unit) {
  n.pitch_diameter = pitch_diameter;
  const double step = ShownBound(0, unit, Bound::Above);
  const auto fits = [&](double steps) {
    n.roller = ShownValue(steps * step, unit);
    return n.roller > 0 && n.roller < n.pitch &&
           std::holds_alternative<FirstTooth>(Construct(n, n.roller / 2, Field::Roller, ""));
  };
  double fails = std::round(ShownBound(n.pitch, unit, Bound::Below) / step);
  if (fits(fails)) return ShownValue(fails * step, unit);
  double works = std::round(kStandardRollerShare * n.pitch / step);
  if (!fits(works)) return 0;
  return ShownValue(LastFitting(works, fails, fits) * step, unit);
}

std::variant<ChainNumbers, FieldError> ReadChain(const FieldTexts& fields, LengthUnit unit) {
  ChainNumbers n;
  if (const auto pitch = CheckPositive(fields.pitch)) {
    n.pitch = *pitch;
  } else {
    return Refuse(Field::Pitch, NumberReason(fields.pitch));
  }
  if (const auto teeth = CheckTeeth(fields.teeth)) {
    n.teeth = *teeth;
  } else {
    return Refuse(Field::Teeth, "A whole number from 4 to " + std::to_string(kMaxTeeth));
  }
  const auto roller = CheckPositive(fields.roller);
  if (!roller) return Refuse(Field::Roller, NumberReason(fields.roller));
  const std::optional<double> pitch_diameter = ShownPitchDiameter(n.pitch, n.teeth);
  if (!(*roller < n.pitch)) {
    std::string reason =
        "The roller must be smaller than the pitch (" + LengthText(n.pitch, unit) + ")";
    const double most = pitch_diameter ? MostRoller(n, *pitch_diameter, unit)
                                       : ShownBound(n.pitch, unit, Bound::Below);
    if (most > 0) reason += ": at most " + LengthText(most, unit);
    return Refuse(Field::Roller, reason);
  }
  n.roller = *roller;
  if (!pitch_diameter) return Refuse(Field::Pitch, "The sprocket is too large to compute");
  n.pitch_diameter = *pitch_diameter;
  if (auto tooth = Construct(n, n.roller / 2, Field::Roller,
                             "The teeth cannot be constructed with this roller and pitch");
      auto* error = std::get_if<FieldError>(&tooth)) {
    // A roller too large leaves flanks that no longer meet: name the largest that does.
    if (error->field == Field::Roller) {
      const double most = MostRoller(n, n.pitch_diameter, unit);
      if (most > 0 && most < n.roller) error->reason += ": at most " + LengthText(most, unit);
    }
    return std::move(*error);
  }
  return n;
}

// The chain's table row when one is picked and the pitch and roller hold its sizes in the
// current unit (to a billionth, which the unit switch's rounding keeps within).
std::optional<ChainSize> ChainRowOf(const FieldTexts& fields, const ChainNumbers& n) {
  const std::optional<ChainSize> row = FindChainSize(fields.chain);
  if (!row) return std::nullopt;
  const LengthTexts sizes = SetChainSize(row->pitch, row->roller, UnitOf(fields.units));
  const auto same = [](double typed, std::optional<double> row_size) {
    return row_size && std::fabs(typed - *row_size) <= kSameSize * *row_size;
  };
  if (!same(n.pitch, ParseReal(sizes.pitch)) || !same(n.roller, ParseReal(sizes.roller))) {
    return std::nullopt;
  }
  return row;
}

// What the solid's fields are judged against: the chain, the seats and the holes.
SolidRoom SolidRoomOf(const Design& d) {
  const ToothNumbers& n = d.tooth;
  double bore_reach = 0;
  if (d.mounting.bore) {
    bore_reach = *d.mounting.bore / 2;
    if (d.mounting.keyway) {
      bore_reach =
          std::hypot(d.mounting.keyway->width / 2, *d.mounting.bore / 2 + d.mounting.keyway->depth);
    }
  }
  return {.chain = d.chain,
          .unit = d.unit,
          .pitch = n.pitch,
          .teeth = n.teeth,
          .wall_radius = n.wall_radius,
          .bore_reach = bore_reach,
          .keyway = d.mounting.keyway.has_value(),
          .bolt_circle = d.mounting.bolt_circle};
}

// The contours the program cuts, holes first, kept in paths; the outline was built by the
// checks that measured it.
std::vector<Path> ContoursOf(const Design& design, DesignPaths& paths) {
  if (!paths.holes) paths.holes = BuildHoles(design.mounting);
  std::vector<Path> contours = *paths.holes;
  contours.push_back(paths.sprocket->outline);
  return contours;
}

// The plunge feed, copied like the feed, which it needs.
std::optional<FieldError> ReadPlungeFeed(const FieldTexts& fields, Design& design) {
  if (IsBlank(fields.plunge_feed)) return std::nullopt;
  if (!FeedRatePasses(fields.plunge_feed)) {
    return Refuse(Field::PlungeFeed, NumberReason(fields.plunge_feed));
  }
  // Without a cutting feed the moves across carry no F word and would run at the plunge
  // feed left in force.
  if (design.feed.empty()) return Refuse(Field::PlungeFeed, "A plunge feed needs a feed rate");
  design.machining.plunge_feed = fields.plunge_feed;
  return std::nullopt;
}

std::optional<FieldError> ReadRampAngle(const FieldTexts& fields, Design& design) {
  if (IsBlank(fields.ramp_angle)) return std::nullopt;
  const std::optional<double> angle = ParseReal(fields.ramp_angle);
  if (!angle || !(*angle >= kShallowestRamp && *angle <= kSteepestRamp)) {
    return Refuse(Field::RampAngle, "An angle from 1 to 45 degrees");
  }
  // Under the controller's compensation a ramp after a tab would have to run backwards,
  // which turns the compensation to the other side of the cut.
  if (design.offset && design.machining.tabs) {
    return Refuse(Field::RampAngle,
                  "Ramps and tabs need the computed cutter path (tool diameter), not the "
                  "controller's offset");
  }
  design.machining.ramp_angle = angle;
  return std::nullopt;
}

// The lead-in radius, with a mill's tool diameter or for a beam, its arcs fitting the contours
// the program cuts. A torch or a waterjet always pierces in the waste: without a lead-in typed,
// along arcs of twice the kerf.
std::optional<FieldError> ReadLeadIn(const FieldTexts& fields, Design& design, DesignPaths& paths) {
  MachiningOptions& m = design.machining;
  const bool pierces = m.process == Process::Plasma || m.process == Process::Waterjet;
  const bool typed = !IsBlank(fields.lead_in);
  if (!typed && !pierces) return std::nullopt;
  if (typed) {
    const std::optional<double> radius = ParsePositive(fields.lead_in);
    if (!radius) return Refuse(Field::LeadIn, NumberReason(fields.lead_in));
    if (!m.tool_diameter && !IsBeam(m)) {
      return Refuse(Field::LeadIn, "A lead-in needs a tool diameter");
    }
    m.lead_in = radius;
  } else if (m.tool_diameter) {
    m.lead_in = 2 * *m.tool_diameter;
  } else {
    return Refuse(Field::Kerf,
                  "The torch pierces in the waste, along a lead-in arc twice the "
                  "kerf: give the Kerf, or a Lead-in");
  }
  if (!LeadInFits(ContoursOf(design, paths), m.tool_diameter.value_or(0), *m.lead_in, m.tabs)) {
    return Refuse(Field::LeadIn,
                  std::string(typed ? "The lead-in arcs"
                                    : "The lead-in arcs (twice the kerf, " +
                                          LengthText(*m.lead_in, design.unit) + ")") +
                      " must fit inside every hole, and a tooth must be free of tabs" +
                      (typed ? "" : ": give a smaller Lead-in"));
  }
  return std::nullopt;
}

// The direction: climb or conventional, in any case, blanks and tabs ignored.
std::optional<FieldError> ReadDirection(const FieldTexts& fields, Design& design) {
  if (IsBlank(fields.direction)) return std::nullopt;
  const std::string word = TypedWord(fields.direction);
  if (word == "climb") {
    design.machining.direction = CutDirection::Climb;
  } else if (word != "conventional") {
    return Refuse(Field::Direction, "climb or conventional");
  }
  return std::nullopt;
}

// The options of the program's entry and direction, in the order plunge feed, ramp angle,
// lead-in, direction; each blank is off.
std::optional<FieldError> ReadEntryOptions(const FieldTexts& fields, Design& design,
                                           DesignPaths& paths) {
  if (auto error = ReadPlungeFeed(fields, design)) return error;
  if (auto error = ReadRampAngle(fields, design)) return error;
  if (auto error = ReadLeadIn(fields, design, paths)) return error;
  return ReadDirection(fields, design);
}

}  // namespace

std::variant<ReadResult, FieldError> ReadDesign(const FieldTexts& fields) {
  ReadResult read;
  Design& design = read.design;
  design.unit = UnitOf(fields.units);
  auto chain = ReadChain(fields, design.unit);
  if (auto* error = std::get_if<FieldError>(&chain)) return std::move(*error);
  const ChainNumbers& n = std::get<ChainNumbers>(chain);
  // The program writes the depth's value and copies the feed: each must be wholly a number.
  if (!ReadDepthOfCut(fields.depth)) {
    return Refuse(Field::Depth, "A plain decimal number, such as 0.25, without an exponent");
  }
  if (!FeedRatePasses(fields.feed)) return Refuse(Field::Feed, NumberReason(fields.feed));
  // A feed field holding only blanks is not set: the program then carries no F word.
  if (!IsBlank(fields.feed)) design.feed = fields.feed;
  design.offset = fields.offset;
  auto form = ReadToothForm(fields, n, design.unit, read.paths);
  if (auto* error = std::get_if<FieldError>(&form)) return std::move(*error);
  design.tooth = std::get<ToothNumbers>(form);
  // The machining options, measured on the outline the run cuts when they need it; the
  // sprocket built for them serves the run too.
  MeasuredOutline measured([&]() -> const Path& {
    if (read.paths.sprocket) return read.paths.sprocket->outline;
    return OutlineOf(n, design.tooth.SeatRadius, design.tooth.TopDiameter, read.paths);
  });
  // The mounting is judged against the teeth and refused after the machining fields, in field
  // order; the tool, the first machining field, is judged against its openings too.
  auto mounting = ReadMounting(fields, RoomOf(design.tooth), design.unit);
  const Mounting* read_mounting = std::get_if<Mounting>(&mounting);
  // What cuts the part comes first among them: it decides which options apply.
  const std::optional<Process> process = ReadProcess(fields.process);
  if (!process) return Refuse(Field::Process, "mill, laser, plasma or waterjet");
  if (auto error = RefuseForeignOptions(fields, *process)) return std::move(*error);
  // A beam's program is all feed moves and dwells: without a feed a controller refuses it.
  if (*process != Process::Mill && design.feed.empty()) {
    return Refuse(Field::Feed, std::string(MachineOf(*process)) +
                                   " moves at a feed rate all the way round: give the Feed Rate");
  }
  if (auto error = CheckToolFits(fields, CutWidthOf(*process), measured, read_mounting, design.unit,
                                 read.paths)) {
    return std::move(*error);
  }
  auto machining = ReadMachining(fields, measured, design.unit, *process);
  if (auto* error = std::get_if<FieldError>(&machining)) return std::move(*error);
  design.machining = std::get<MachiningOptions>(machining);
  read.paths.outline_cutter_path = measured.TakeCutterPath();
  if (!read_mounting) return std::get<FieldError>(std::move(mounting));
  design.mounting = *read_mounting;
  // The solid's fields come after the mounting, which they are judged against.
  design.chain = ChainRowOf(fields, n);
  auto solid = ReadSolidFields(fields, SolidRoomOf(design));
  if (auto* error = std::get_if<FieldError>(&solid)) return std::move(*error);
  design.solid = std::get<SolidOptions>(solid);
  design.tooth_chamfer = fields.tooth_chamfer;
  // How the program enters and runs round each contour, judged on the contours it cuts.
  if (auto error = ReadEntryOptions(fields, design, read.paths)) return std::move(*error);
  if (IsBeam(design.machining)) {
    auto beam = ReadBeam(fields, *process, design.machining.safe_z, design.unit);
    if (auto* error = std::get_if<FieldError>(&beam)) return std::move(*error);
    design.machining.beam = std::get<BeamOptions>(beam);
  }
  design.preamble = fields.preamble;
  design.dxf_units = fields.dxf_units;
  design.dxf_polyline = fields.dxf_polyline;
  // The chain drive, judged on the sprocket read above.
  auto drive = ReadDrive(fields, design, read.paths.driven);
  if (auto* error = std::get_if<FieldError>(&drive)) return std::move(*error);
  design.drive = std::get<std::optional<DriveNumbers>>(std::move(drive));
  return read;
}

}  // namespace toothwright
