// Each feed move is measured as the controller makes it (MoveLength): an arc about the centre
// its I and J give, a helix along its own length.
#include "output/cut_statistics.h"

#include <cmath>

#include "numbers/numbers.h"

namespace toothwright {

CutStatistics MeasureCut(std::span<const Move> moves) {
  CutStatistics stats;
  double minutes = 0;
  bool timed = true;
  for (const Move& m : moves) {
    // A pierce's dwell is time the machine spends on the part.
    if (m.kind == MoveKind::Dwell) minutes += m.seconds / 60;
    if (!IsFeedMove(m)) continue;
    const double length = MoveLength(m);
    stats.length += length;
    if (m.feed && *m.feed > 0) {
      minutes += length / *m.feed;
    } else {
      timed = false;  // a controller refuses a feed move without a feed
    }
  }
  if (timed) stats.minutes = minutes;
  return stats;
}

std::string FormatCutLength(double length, LengthUnit unit) {
  return FormatReal(Round4(length)) + (unit == LengthUnit::Inch ? " in" : " mm");
}

std::string FormatCutTime(std::optional<double> minutes) {
  // A time beyond any double (moves of 1e308) has no minutes and seconds to show.
  if (!minutes || !std::isfinite(*minutes)) return "-";
  constexpr double kSecondsPerMinute = 60;
  double seconds = std::round(*minutes * kSecondsPerMinute);
  if (seconds == 0 && *minutes > 0) seconds = 1;  // a cut, however short, takes time
  const double whole_minutes = std::floor(seconds / kSecondsPerMinute);
  return FormatReal(whole_minutes) + " min " +
         FormatReal(seconds - whole_minutes * kSecondsPerMinute) + " s";
}

}  // namespace toothwright
