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

struct GCodeSettings {
  LengthUnit unit = LengthUnit::Inch;  // "G20" for inches, "G21" for millimetres
  bool offset = false;                 // "G42" before each contour, "G40" after its retract
  // Copied after " F" on every feed move when it sorts after a single space.
  std::string_view feed;
  MachiningOptions machining;  // as the run's checks passed them
};

// The job's program: its contours in cutting order along the paths the job made for them.
std::string WriteGCode(const Job& job);

// The G-code text for closed contours cut in the order given, each followed along its toolpath
// (MakeToolpath) (holes first, the outline last):
// the units line, "G0 Z<safe Z>" when set; per contour ["G42"], a rapid move to its start,
// ["M3 S<spindle>" before the program's first move down], per pass a feed move down to the
// pass's depth and one move per segment of its toolpath (MakeToolpath: rising over tabs on
// passes deeper than them), then "G0 Z2.00" (or the safe Z) and ["G40"]; then ["M5"], ["M2"].
// Depths are written as magnitudes after "Z-". With one contour and no machining option, the
// text has one line per segment and 4 more, with offset 6 more.
std::string WriteGCode(std::span<const Path> contours, const GCodeSettings& settings);

}  // namespace toothwright
