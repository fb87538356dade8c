// How much a milling program cuts and for how long, measured on its moves: the figures a
// machinist checks before starting the machine.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "numbers/units.h"
#include "sprocket/move.h"

namespace toothwright {

struct CutStatistics {
  // The length of every feed move (G1 to G3, moves down and up included), in the program's
  // unit; a helix measured in space (MoveLength). A beam's program feeds only with the beam
  // on, so for it this is the length cut.
  double length = 0;
  // The sum of each feed move's length over the feed in effect for it (a move down at its own
  // plunge feed when it carries one), in minutes, and every pierce's dwell (G4); none when some
  // feed move has no feed above 0 in effect. Rapid moves are not counted.
  std::optional<double> minutes;
};

CutStatistics MeasureCut(std::span<const Move> moves);

// "46.5183 in": the length to four decimals (FormatReal), then "in" or "mm".
std::string FormatCutLength(double length, LengthUnit unit);

// "3 min 7 s": the time rounded to the nearest whole second, at least 1 s when above 0, as
// whole minutes and the seconds left; "-" when there is none, or it is not finite.
std::string FormatCutTime(std::optional<double> minutes);

}  // namespace toothwright
