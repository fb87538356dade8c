// The milling program, built in one string: a units line, the optional cutter-compensation
// line, a rapid move to the first flank start, one plunge, three arc moves per tooth and a
// rapid move up. Tooth i runs from FlankStart(i) over Tip(i) and FlankEnd(i) to
// FlankStart(j), j the next roller, so the contour closes on the point of the rapid move.
#include "output/gcode.h"

#include <cassert>
#include <cmath>

#include "output/decimal_text.h"
#include "output/profile_points.h"
#include "sprocket/numbers.h"
#include "sprocket/units.h"

namespace toothwright {
namespace {

// Every line of the program, the last included, ends in CR LF.
constexpr std::string_view kLineEnd = "\r\n";
// Room for one arc line's words and line end (13 characters) and its four numbers of up to
// 16 characters each; the feed suffix comes on top.
constexpr size_t kArcLineReserve = 80;
// The fixed lines besides the teeth: units, compensation on, rapid move, plunge, up, off.
constexpr size_t kFixedLines = 6;

// The feed is present when its text sorts after a single space by character codes: not
// empty and starting above the space, or a space followed by more. std::string_view compares
// chars as unsigned, so a UTF-8 lead byte sorts above the space as its character does.
bool FeedPresent(std::string_view feed) {
  return feed.compare(" ") > 0;
}

// X and Y are absolute and already hold four decimals: written as stored, two blanks before Y.
void AppendEndpoint(std::string& out, ProfilePoint end) {
  AppendFourDecimals(out, end.x);
  out += "  Y";
  AppendFourDecimals(out, end.y);
}

// One arc move: the endpoint, then I and J, the offsets from the arc's start to its centre,
// rounded to four decimals; then the feed suffix, which is empty when there is no feed.
void AppendArc(std::string& out, std::string_view word, ProfilePoint end, ProfilePoint centre,
               ProfilePoint start, std::string_view feed_suffix) {
  out += word;
  AppendEndpoint(out, end);
  out += " I";
  AppendFourDecimals(out, Round4(centre.x - start.x));
  out += " J";
  AppendFourDecimals(out, Round4(centre.y - start.y));
  out += feed_suffix;
  out += kLineEnd;
}

// Tooth i with next roller j: the first flank about roller j and the second about roller i,
// both counter-clockwise, then the seat of roller j clockwise.
void AppendTooth(std::string& out, const ToothProfile& p, int i, int j,
                 std::string_view feed_suffix) {
  AppendArc(out, "G3 X", Tip(p, i), Roller(p, j), FlankStart(p, i), feed_suffix);
  AppendArc(out, "G3 X", FlankEnd(p, i), Roller(p, i), Tip(p, i), feed_suffix);
  AppendArc(out, "G2 X", FlankStart(p, j), Roller(p, j), FlankEnd(p, i), feed_suffix);
}

}  // namespace

std::string WriteGCode(const ToothProfile& profile, int N, double T, std::string_view units,
                       bool offset, std::string_view depth, std::string_view feed) {
  assert(N >= 1 && profile.RollerX.size() > static_cast<size_t>(N));
  assert(T - 1 < N);  // the loop's next roller i + 1 stays within the profile
  const double d = ParseLeadingReal(depth);
  assert(std::isfinite(d));

  std::string feed_suffix;
  if (FeedPresent(feed)) feed_suffix.append(" F").append(feed);

  std::string out;
  out.reserve((3 * static_cast<size_t>(N) + kFixedLines) * (kArcLineReserve + feed_suffix.size()));
  out += IsEnglish(units) ? "G20" : "G21";
  out += kLineEnd;
  if (offset) {
    out += "G42";  // cutter compensation to the right, cancelled by the last line
    out += kLineEnd;
  }
  out += "G0 X";
  AppendEndpoint(out, FlankStart(profile, 1));
  out += kLineEnd;
  // The depth's sign is dropped: Z always goes down by its magnitude.
  out += "G1 Z-";
  out += FormatReal(std::fabs(d));
  out += feed_suffix;
  out += kLineEnd;

  ForEachTooth(T, N, [&](int i, int j) { AppendTooth(out, profile, i, j, feed_suffix); });

  out += "G0 Z2.00";
  out += kLineEnd;
  // A controller holds compensated moves back until compensation is cancelled; without this
  // line the last seat would stay uncut and the cutter down at depth.
  if (offset) {
    out += "G40";
    out += kLineEnd;
  }
  return out;
}

}  // namespace toothwright
