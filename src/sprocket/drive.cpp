// The drive's fields are read after every other one. The driven sprocket is read by the
// design's own checks from the fields that shape its teeth, so that it is refused exactly where
// this sprocket would be; the mounting, the hub and the machining stay with this sprocket.
#include "sprocket/drive.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>
#include <utility>

#include "numbers/numbers.h"
#include "sprocket/design.h"
#include "sprocket/tooth_form.h"

namespace toothwright {
namespace {

// The handbooks' rules a drive is noted against. Sources: the American Chain Association's
// Standard Handbook of Chains (roller chain drive selection) and Machinery's Handbook
// ("Roller chain drives"), which chain makers' catalogues repeat.
constexpr double kLeastWrapDegrees = 120;  // arc of contact on the small sprocket
constexpr int kLeastTeeth = 17;            // fewer run rough: chordal action and wear
constexpr double kMostRatio = 7;           // one stage; beyond it, two
constexpr double kShortestPitches = 30;    // the preferred centre distance, in pitches
constexpr double kLongestPreferredPitches = 50;
constexpr double kLongestPitches = 80;  // beyond it the slack strand whips

constexpr double kInchesPerFoot = 12;
constexpr double kMillimetresPerMetre = 1000;
constexpr double kSecondsPerMinute = 60;
// The speeds are shown to this many significant digits, which keeps them within 0.1 %.
constexpr int kSpeedDigits = 6;

std::string Length4(double value, LengthUnit unit) {
  return FormatReal(Round4(value)) + ' ' + UnitName(unit);
}

// value rounded to kSpeedDigits significant digits, as FormatReal writes it.
std::string Significant(double value) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general,
                                 kSpeedDigits);
  double rounded = value;
  std::from_chars(buffer, end.ptr, rounded);
  return FormatReal(rounded);
}

// One decimal, fixed: "167.7", "180.0".
std::string OneDecimal(double value) {
  const double tenths = std::round(value * 10);
  std::string text = FormatReal(tenths / 10);
  if (text.find('.') == std::string::npos) text += ".0";
  return text;
}

double OutsideDiameter(const ToothNumbers& n) {
  if (n.TopDiameter) return *n.TopDiameter;
  const FirstTooth tooth = ConstructFirstTooth(n.pitch_diameter, 360 / static_cast<double>(n.teeth),
                                               n.SeatRadius, n.pitch - n.SeatRadius);
  return 2 * tooth.TipRadius;
}

// The fields that shape the driven sprocket's teeth and body: this one's, with its own count.
// A tip diameter given as a length keeps the teeth's height above the pitch circle.
FieldTexts DrivenTexts(const FieldTexts& fields, const Design& design, const std::string& teeth,
                       double driven_pd) {
  FieldTexts driven;
  driven.pitch = fields.pitch;
  driven.roller = fields.roller;
  driven.teeth = teeth;
  driven.units = fields.units;
  driven.chain = fields.chain;
  driven.seat_clearance = fields.seat_clearance;
  driven.tip_diameter = fields.tip_diameter;
  if (design.tooth.TopDiameter && !IsAnsiWord(fields.tip_diameter)) {
    driven.tip_diameter =
        FormatReal(driven_pd + *design.tooth.TopDiameter - design.tooth.pitch_diameter);
  }
  driven.thickness = fields.thickness;
  driven.strands = fields.strands;
  driven.mesh_tolerance = fields.mesh_tolerance;
  driven.tooth_chamfer = fields.tooth_chamfer;
  return driven;
}

std::variant<ToothNumbers, FieldError> ReadDriven(const FieldTexts& fields, const Design& design,
                                                  std::optional<SprocketRun>& built) {
  const std::optional<int> teeth = ParseCount(fields.driven_teeth, 4, kMaxTeeth);
  if (!teeth) {
    return Refuse(Field::DrivenTeeth, "A whole number from 4 to " + std::to_string(kMaxTeeth));
  }
  const std::optional<double> pd = ShownPitchDiameter(design.tooth.pitch, *teeth);
  if (!pd) return Refuse(Field::DrivenTeeth, "The driven sprocket is too large to compute");
  const FieldTexts driven = DrivenTexts(fields, design, std::to_string(*teeth), *pd);
  auto read = ReadDesign(driven);
  if (auto* error = std::get_if<FieldError>(&read)) {
    // A typed tip diameter reaches the driven teeth as a diameter of their own: say which.
    const std::string topped =
        error->field == Field::TipDiameter && driven.tip_diameter != fields.tip_diameter
            ? " topped at " + LengthText(*ParseReal(driven.tip_diameter), design.unit)
            : "";
    return Refuse(Field::DrivenTeeth, "The driven sprocket of " + std::to_string(*teeth) +
                                          " teeth" + topped + ": " + error->message +
                                          (error->reason.empty() ? "" : "; " + error->reason));
  }
  ReadResult& result = std::get<ReadResult>(read);
  built = std::move(result.paths.sprocket);
  return result.design.tooth;
}

// The least whole link count whose centre distance clears `touching`, or nullopt beyond
// kMaxLinks: the centre distance grows with the links, so it is found by halving.
std::optional<int> LeastLinks(double pitch, int n1, int n2, double touching) {
  const auto fits = [&](int links) {
    const std::optional<double> c = CentreDistanceFor(pitch, n1, n2, links);
    return c && *c > touching;
  };
  if (!fits(kMaxLinks)) return std::nullopt;
  int fails = 0;
  int works = kMaxLinks;
  while (works - fails > 1) {
    const int half = fails + (works - fails) / 2;
    (fits(half) ? works : fails) = half;
  }
  return works;
}

// The links and centre distance the fields give, the driven sprocket read.
std::optional<FieldError> ReadLength(const FieldTexts& fields, const Design& design,
                                     DriveNumbers& drive) {
  const LengthUnit unit = design.unit;
  const double pitch = design.tooth.pitch;
  const int n1 = design.tooth.teeth;
  const int n2 = drive.driven.teeth;
  // The sprockets clear each other while their outside circles do.
  const double touching = (drive.driver_outside_diameter + drive.driven_outside_diameter) / 2;
  const bool by_links = !IsBlank(fields.links);
  if (!IsBlank(fields.centre_distance)) {
    const std::optional<double> c = ParsePositive(fields.centre_distance);
    if (!c) return Refuse(Field::CentreDistance, NumberReason(fields.centre_distance));
    if (by_links) {
      return Refuse(Field::Links, "Give a centre distance or a number of links, not both");
    }
    if (!(*c > touching)) {
      return Refuse(Field::CentreDistance,
                    "The sprockets' outside diameters touch or overlap: "
                    "a centre distance above " +
                        BoundText(touching, unit, Bound::Above));
    }
    const double links = LinksFor(pitch, n1, n2, *c);
    if (!(links <= kMaxLinks)) {
      // Real for every pair of counts: kMaxLinks is far above the teeth's half sum.
      const double longest = CentreDistanceFor(pitch, n1, n2, kMaxLinks).value_or(0);
      return Refuse(Field::CentreDistance, "The chain would be over " + std::to_string(kMaxLinks) +
                                               " links long: at most " +
                                               BoundText(longest, unit, Bound::AtMost));
    }
    drive.links = static_cast<int>(links);
  } else if (by_links) {
    const std::optional<int> links = ParseCount(fields.links, 1, kMaxLinks);
    if (!links) {
      return Refuse(Field::Links, "A whole number from 1 to " + std::to_string(kMaxLinks));
    }
    drive.links = *links;
  } else {
    return Refuse(Field::CentreDistance, "A drive needs a centre distance or a number of links");
  }
  const std::optional<double> c = CentreDistanceFor(pitch, n1, n2, drive.links);
  if (!c || !(*c > touching)) {
    const std::optional<int> least = LeastLinks(pitch, n1, n2, touching);
    const Field field = by_links ? Field::Links : Field::CentreDistance;
    return Refuse(field,
                  "Too short for the two sprockets to clear each other: " +
                      (least ? "at least " + std::to_string(*least) + " links"
                             : "no chain of up to " + std::to_string(kMaxLinks) + " links fits"));
  }
  drive.centre_distance = *c;
  return std::nullopt;
}

}  // namespace

double ChainLength(double pitch, int n1, int n2, double c) {
  const double pitches = c / pitch;
  const double difference = n2 - n1;
  return 2 * pitches + (n1 + n2) / 2.0 +
         difference * difference / (4 * std::numbers::pi * std::numbers::pi * pitches);
}

double LinksFor(double pitch, int n1, int n2, double c) {
  return 2 * std::ceil(ChainLength(pitch, n1, n2, c) / 2);
}

std::optional<double> CentreDistanceFor(double pitch, int n1, int n2, double links) {
  const double free = links - (n1 + n2) / 2.0;
  const double spread = (n2 - n1) / (2 * std::numbers::pi);
  const double square = free * free - 8 * spread * spread;
  if (!(square >= 0)) return std::nullopt;
  const double c = pitch / 4 * (free + std::sqrt(square));
  if (!(c > 0) || !std::isfinite(c)) return std::nullopt;
  return c;
}

std::variant<std::optional<DriveNumbers>, FieldError> ReadDrive(
    const FieldTexts& fields, const Design& design, std::optional<SprocketRun>& driven_built) {
  if (IsBlank(fields.driven_teeth)) {
    struct Dependent {
      Field field;
      const char* reason;
    };
    for (const Dependent& d :
         {Dependent{Field::CentreDistance, "A centre distance"},
          Dependent{Field::Links, "A number of links"}, Dependent{Field::Speed, "A speed"}}) {
      if (!IsBlank(fields.*(FieldOf(d.field).text))) {
        return Refuse(d.field, std::string(d.reason) + " needs driven teeth");
      }
    }
    return std::optional<DriveNumbers>();
  }
  DriveNumbers drive;
  auto driven = ReadDriven(fields, design, driven_built);
  if (auto* error = std::get_if<FieldError>(&driven)) return std::move(*error);
  drive.driven = std::get<ToothNumbers>(driven);
  drive.driver_outside_diameter = OutsideDiameter(design.tooth);
  drive.driven_outside_diameter = OutsideDiameter(drive.driven);
  if (auto error = ReadLength(fields, design, drive)) return std::move(*error);
  if (!IsBlank(fields.speed)) {
    drive.speed = ParsePositive(fields.speed);
    if (!drive.speed) return Refuse(Field::Speed, "A speed above 0 rpm");
  }
  return std::optional<DriveNumbers>(std::move(drive));
}

double SmallWrapDegrees(const ToothNumbers& driver, const DriveNumbers& drive) {
  const double spread = std::fabs(drive.driven.pitch_diameter - driver.pitch_diameter);
  return 180 - 2 * std::asin(spread / (2 * drive.centre_distance)) * 180 / std::numbers::pi;
}

std::vector<std::string> DriveFigureLines(const Design& design, const DriveNumbers& drive,
                                          double slack) {
  const ToothNumbers& t = design.tooth;
  const LengthUnit unit = design.unit;
  const int n1 = t.teeth;
  const int n2 = drive.driven.teeth;
  std::vector<std::string> lines{"Chain Length: " + std::to_string(drive.links) + " links (" +
                                     Length4(drive.links * t.pitch, unit) + ")",
                                 "Centre Distance: " + Length4(drive.centre_distance, unit),
                                 "Ratio: " + FormatReal(Round4(static_cast<double>(n2) / n1)),
                                 "Wrap: " + OneDecimal(SmallWrapDegrees(t, drive)) +
                                     " degrees on the " + std::to_string(std::min(n1, n2)) +
                                     "-tooth sprocket"};
  if (drive.speed) {
    const double per_minute = n1 * t.pitch * *drive.speed;
    lines.push_back(
        "Chain Speed: " +
        (unit == LengthUnit::Inch
             ? Significant(per_minute / kInchesPerFoot) + " ft/min"
             : Significant(per_minute / kMillimetresPerMetre / kSecondsPerMinute) + " m/s"));
    lines.push_back("Driven Speed: " + Significant(*drive.speed * n1 / n2) + " rpm");
  }
  lines.push_back("Slack: " + Length4(slack, unit));
  return lines;
}

std::vector<std::string> DriveNotes(const Design& design, const DriveNumbers& drive) {
  const ToothNumbers& t = design.tooth;
  const int n1 = t.teeth;
  const int n2 = drive.driven.teeth;
  std::vector<std::string> notes;
  const double wrap = SmallWrapDegrees(t, drive);
  if (wrap < kLeastWrapDegrees) {
    notes.push_back("The chain wraps " + OneDecimal(wrap) + " degrees of the " +
                    std::to_string(std::min(n1, n2)) +
                    "-tooth sprocket, under the 120 the handbooks ask for");
  }
  for (const int teeth : {n1, n2}) {
    if (teeth < kLeastTeeth) {
      notes.push_back("A sprocket of " + std::to_string(teeth) +
                      " teeth runs rough and wears the chain: 17 or more is the rule");
      break;
    }
  }
  const double ratio = static_cast<double>(std::max(n1, n2)) / std::min(n1, n2);
  if (ratio > kMostRatio) {
    notes.push_back("A ratio of " + FormatReal(Round4(ratio)) +
                    " is over 7: the handbooks take two stages beyond it");
  }
  const double pitches = drive.centre_distance / t.pitch;
  if (pitches < kShortestPitches || pitches > kLongestPreferredPitches) {
    notes.push_back("The centre distance is " + OneDecimal(pitches) +
                    " pitches: 30 to 50 is the rule, 80 at most" +
                    (pitches > kLongestPitches ? ", and a long span needs a guide or idler" : ""));
  }
  if (drive.links % 2 != 0) {
    notes.push_back("An odd number of links (" + std::to_string(drive.links) +
                    ") needs an offset link");
  }
  return notes;
}

}  // namespace toothwright
