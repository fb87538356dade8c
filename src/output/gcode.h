// The milling program: closed contours cut in order, each at its depth passes, one move per
// segment; every line ends in CR LF.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "geometry/path.h"
#include "sprocket/job.h"
#include "sprocket/machining.h"
#include "sprocket/units.h"

namespace toothwright {

// The program's name and version, as the preamble names it.
inline constexpr std::string_view kProgramName = "toothwright-cli 2.0";

struct GCodeSettings {
  LengthUnit unit = LengthUnit::Inch;  // "G20" for inches, "G21" for millimetres
  // Cutter compensation by the controller: "G42" before each contour ("G41" for the climb
  // direction), "G40" after its retract.
  bool offset = false;
  // Copied after " F" on every feed move when it sorts after a single space.
  std::string_view feed;
  MachiningOptions machining;  // as the run's checks passed them
  // What the program makes, e.g. "toothwright-cli 2.0: ANSI 40, 18 teeth, tool 0.125 in, depth
  // 0.25 in". When not empty the program opens with it as a comment, parentheses turned into
  // brackets and control characters into blanks (a comment ends at its first ")"), and sets
  // plane, distance and feed mode ("G17 G90 G94") after the units line.
  std::string_view preamble;
};

// The job's program: its contours in cutting order along the paths the job made for them.
// With the design's preamble, the comment reads "<program>: <PartDescription>".
std::string WriteGCode(const Job& job, std::string_view program = kProgramName);

// What the job makes, for the program's first comment: "ANSI 40, 18 teeth, tool 0.125 in,
// depth 0.25 in" (a custom chain as "pitch 0.5 in, roller 0.3125 in"; the tool when the
// program computes its path, the depth when one is set).
std::string PartDescription(const Job& job);

// The G-code text for closed contours cut in the order given (holes first, the outline last):
// ["(<preamble>)"], the units line, ["G17 G90 G94"], "G0 Z<safe Z>" when set or "G0 Z2.00"
// for a computed cutter path; per contour [with offset: a rapid move to a point back along its
// first segment's tangent, "G42" or "G41"], a rapid move to its start, ["M3 S<spindle>" before
// the program's first move down], per pass a feed move down to the pass's depth and one move
// per segment of its toolpath (MakeToolpath: rising over tabs on passes deeper than them),
// then "G0 Z2.00" (or the safe Z) and ["G40"]; then ["M5"], ["M2"]. Depths are written as
// magnitudes after "Z-"; moves down carry the plunge feed when one is set, every other feed
// move the cutting feed. Arc centres: the outline's arcs as they stand are written with I and
// J rounded to four decimals from the stored centre; the arcs of holes and of a computed
// cutter path with TolerantOffsets, so that every such arc's two radii agree within
// kArcRadiusTolerance. With one contour, no machining option and no preamble, the text has one
// line per segment and 4 more, with offset 7 more.
std::string WriteGCode(std::span<const Path> contours, const GCodeSettings& settings);

}  // namespace toothwright
