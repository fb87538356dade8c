// The chain drive: this sprocket driving a second one on the same chain. The drive's fields read
// into numbers (the driven sprocket's teeth and tooth form, the chain's links and the centre
// distance they stand at, the speed), the chain-length formulas of the handbooks, and the
// figures and notes a drive is shown with. Lengths are in the design's unit.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "sprocket/fields.h"
#include "sprocket/run.h"

namespace toothwright {

struct Design;

// The longest chain a drive takes, in links: far beyond any drive, and the drawing and the
// assembly stay of a size a reader opens.
inline constexpr int kMaxLinks = 100000;

struct DriveNumbers {
  ToothNumbers driven;                 // the driven sprocket: this one's chain and tooth form
  double driver_outside_diameter = 0;  // this sprocket's tips (or top) circle
  double driven_outside_diameter = 0;  // the driven sprocket's
  int links = 0;                       // the chain's length in pitches, 1 .. kMaxLinks
  double centre_distance = 0;          // CentreDistanceFor(links): where the drive stands
  std::optional<double> speed;         // this sprocket's, rpm, > 0
  bool operator==(const DriveNumbers&) const = default;
};

// The handbooks' chain length in pitches for teeth n1 and n2 at centre distance c:
// 2c/P + (n1 + n2)/2 + (n2 - n1)^2 / (4 pi^2 c/P); pitch and c in one unit, c > 0.
double ChainLength(double pitch, int n1, int n2, double c);

// The links a centre distance takes: ChainLength rounded up to the next even number.
double LinksFor(double pitch, int n1, int n2, double c);

// The handbooks' inverse: the centre distance of a chain of `links` pitches,
// P/4 [L - (n1+n2)/2 + sqrt((L - (n1+n2)/2)^2 - 8 ((n2-n1)/(2 pi))^2)]; nullopt when the
// root is not real or the distance not above 0.
std::optional<double> CentreDistanceFor(double pitch, int n1, int n2, double links);

// The drive's fields read after every other field, in the order driven teeth, centre distance,
// links, speed. nullopt when the driven teeth are blank and so are the others. Refused:
// - driven teeth: not a whole number from 4 to kMaxTeeth, or the driven sprocket's tooth form
//   refused (the reason names the field at fault); the drive outputs need driven teeth.
// - centre distance: not a length above 0, given without driven teeth, neither it nor links
//   given, the sprockets' outside diameters touching or overlapping there (the reason names
//   the least that clears), or more than kMaxLinks links.
// - links: not a whole number from 1 to kMaxLinks, given with a centre distance or without
//   driven teeth, or too short for the sprockets to clear each other (the reason names the
//   least count that fits).
// - speed: not above 0, or given without driven teeth.
// A tip diameter typed as a length tops the driven teeth at the same height above their pitch
// circle; "ANSI" tops them at the standard's diameter for their own count. The driven
// sprocket's checks may build it: it is then left in driven_built, for the layout to take.
std::variant<std::optional<DriveNumbers>, FieldError> ReadDrive(
    const FieldTexts& fields, const Design& design, std::optional<SprocketRun>& driven_built);

// The lines a drive is shown with, in the design's unit: "Chain Length: 112 links (56 in)",
// "Centre Distance: 20.0096 in", "Ratio: 2.5", "Wrap: 167.7 degrees on the 18-tooth sprocket",
// with a speed "Chain Speed: 375 ft/min" (m/s in millimetres) and "Driven Speed: 200 rpm",
// then "Slack: 0.0123 in" (slack: the loop's length in pitch chords less the links' pitches).
std::vector<std::string> DriveFigureLines(const Design& design, const DriveNumbers& drive,
                                          double slack);

// The wrap on the smaller sprocket (the first when equal), degrees:
// 180 - 2 asin(|D2 - D1| / 2C) on the pitch diameters.
double SmallWrapDegrees(const ToothNumbers& driver, const DriveNumbers& drive);

// The handbook rules the drive breaks, each a sentence without the "Note: " before it:
// little wrap, a sprocket of few teeth, a high ratio, an unusual centre distance, an odd link
// count. Empty when it keeps them all.
std::vector<std::string> DriveNotes(const Design& design, const DriveNumbers& drive);

}  // namespace toothwright
