// The milling program, built in one string: a units line, the optional cutter-compensation
// line, a rapid move to the path's start, one plunge, one move per segment and a rapid move
// up. The path is closed, so the contour ends on the point of the rapid move.
#include "output/gcode.h"

#include <cassert>
#include <cmath>

#include "output/decimal_text.h"
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
void AppendEndpoint(std::string& out, Point end) {
  AppendFourDecimals(out, end.x);
  out += "  Y";
  AppendFourDecimals(out, end.y);
}

// One move along a segment: the endpoint, and for an arc I and J, the offsets from the arc's
// start to its centre rounded to four decimals; then the feed suffix, which is empty when
// there is no feed.
void AppendMove(std::string& out, const Segment& s, std::string_view feed_suffix) {
  switch (s.kind) {
    case SegmentKind::Line:
      out += "G1 X";
      break;
    case SegmentKind::CounterClockwiseArc:
      out += "G3 X";
      break;
    case SegmentKind::ClockwiseArc:
      out += "G2 X";
      break;
  }
  AppendEndpoint(out, s.end);
  if (IsArc(s)) {
    out += " I";
    AppendFourDecimals(out, Round4(s.centre.x - s.start.x));
    out += " J";
    AppendFourDecimals(out, Round4(s.centre.y - s.start.y));
  }
  out += feed_suffix;
  out += kLineEnd;
}

}  // namespace

std::string WriteGCode(const Path& path, std::string_view units, bool offset,
                       std::string_view depth, std::string_view feed) {
  assert(!path.segments.empty());
  const double d = ParseLeadingReal(depth);
  assert(std::isfinite(d));

  std::string feed_suffix;
  if (FeedPresent(feed)) feed_suffix.append(" F").append(feed);

  std::string out;
  out.reserve((path.segments.size() + kFixedLines) * (kArcLineReserve + feed_suffix.size()));
  out += IsEnglish(units) ? "G20" : "G21";
  out += kLineEnd;
  if (offset) {
    out += "G42";  // cutter compensation to the right, cancelled by the last line
    out += kLineEnd;
  }
  out += "G0 X";
  AppendEndpoint(out, path.segments.front().start);
  out += kLineEnd;
  // The depth's sign is dropped: Z always goes down by its magnitude.
  out += "G1 Z-";
  out += FormatReal(std::fabs(d));
  out += feed_suffix;
  out += kLineEnd;

  for (const Segment& s : path.segments) AppendMove(out, s, feed_suffix);

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
