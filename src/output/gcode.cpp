// The milling program, built in one string: a units line, then per contour the optional
// cutter-compensation line, a rapid move to the path's start, each pass's feed move down and
// one move per segment, and a rapid move up. Each path is closed, so every pass ends on the
// point of the rapid move.
#include "output/gcode.h"

#include <cassert>
#include <cmath>
#include <optional>
#include <vector>

#include "output/decimal_text.h"
#include "sprocket/numbers.h"
#include "sprocket/toolpath.h"
#include "sprocket/units.h"

namespace toothwright {
namespace {

// Every line of the program, the last included, ends in CR LF.
constexpr std::string_view kLineEnd = "\r\n";
// Room for one arc line's words and line end (13 characters) and its four numbers of up to
// 16 characters each; the feed suffix comes on top.
constexpr size_t kArcLineReserve = 80;
// The fixed lines of a contour besides its moves: compensation on, rapid move, spindle, up,
// off; the program's units, safe height, spindle stop and end.
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

// "G1 Z-<depth>" and the feed: every move down or up while cutting is a feed move.
void AppendFeedToDepth(std::string& out, double depth, std::string_view feed_suffix) {
  out += "G1 Z-";
  out += FormatReal(depth);
  out += feed_suffix;
  out += kLineEnd;
}

// One pass round a path at `depth`, rising to tab_depth over each tab when the pass lies
// deeper than it.
void AppendPass(std::string& out, const Path& path, const std::vector<TabRange>& tabs, double depth,
                std::optional<double> tab_depth, std::string_view feed_suffix) {
  AppendFeedToDepth(out, depth, feed_suffix);
  const std::vector<Segment>& segments = path.segments;
  const bool rises = tab_depth && depth > *tab_depth;
  size_t tab = 0;
  bool risen = false;
  for (size_t k = 0; k <= segments.size(); ++k) {
    // A tab ending here comes down before one starting here rises; an empty one does both.
    while (rises && tab < tabs.size()) {
      if (risen && tabs[tab].last == k) {
        AppendFeedToDepth(out, depth, feed_suffix);
        risen = false;
        ++tab;
      } else if (!risen && tabs[tab].first == k) {
        AppendFeedToDepth(out, *tab_depth, feed_suffix);
        risen = true;
      } else {
        break;
      }
    }
    if (k < segments.size()) AppendMove(out, segments[k], feed_suffix);
  }
}

// Where a compensated entry into contour starts: back along the tangent of its first segment,
// so that the controller's entry move ends with the cutter beside the contour's start exactly
// where the first segment's compensated path begins, with no corner to turn and nothing
// trimmed. The distance, twice the contour's smallest arc radius, exceeds the radius of any
// cutter that fits its arcs, as an entry move must.
Point LeadInPoint(const Path& contour) {
  const Segment& first = contour.segments.front();
  double smallest = 0;
  for (const Segment& s : contour.segments) {
    if (IsArc(s) && (smallest == 0 || s.radius < smallest)) smallest = s.radius;
  }
  double tx = first.end.x - first.start.x, ty = first.end.y - first.start.y;
  if (IsArc(first)) {
    // Perpendicular to the radius at the start, turning the arc's way.
    const double rx = first.start.x - first.centre.x, ry = first.start.y - first.centre.y;
    const bool ccw = first.kind == SegmentKind::CounterClockwiseArc;
    tx = ccw ? -ry : ry;
    ty = ccw ? rx : -rx;
  }
  const double length = std::hypot(tx, ty);
  const double back = 2 * smallest / length;
  return {Round4(first.start.x - tx * back), Round4(first.start.y - ty * back)};
}

// One contour as the program follows it: the path and the tabs on it.
struct FollowedContour {
  const Path* path = nullptr;
  const std::vector<TabRange>* tabs = nullptr;
};

// The program for contours followed in the order given; passes and tab_depth as written.
std::string WriteProgram(std::span<const FollowedContour> contours, const GCodeSettings& settings,
                         const std::vector<double>& passes, std::optional<double> tab_depth) {
  const MachiningOptions& m = settings.machining;
  assert(std::isfinite(m.depth) && m.depth >= 0);
  std::string feed_suffix;
  if (FeedPresent(settings.feed)) feed_suffix.append(" F").append(settings.feed);
  // The final retract goes to the safe height when one is set, else 2 units up.
  const std::string retract = m.safe_z ? "G0 Z" + FormatReal(*m.safe_z) : "G0 Z2.00";

  size_t moves = 0;
  for (const FollowedContour& contour : contours) {
    assert(!contour.path->segments.empty());
    moves += contour.path->segments.size() + 2 * contour.tabs->size();
  }
  std::string out;
  out.reserve((moves * passes.size() + kFixedLines * (contours.size() + 1)) *
              (kArcLineReserve + feed_suffix.size()));
  out += settings.unit == LengthUnit::Inch ? "G20" : "G21";
  out += kLineEnd;
  if (m.safe_z) {
    out += retract;  // up to the safe height before the first move across
    out += kLineEnd;
  }
  bool spindle_on = false;
  // A contour after another would otherwise be entered from where the last one ended, and the
  // cutter could come down across the part; a sprocket cut alone keeps its entry.
  const bool lead_in = settings.offset && contours.size() > 1;
  for (size_t c = 0; c < contours.size(); ++c) {
    const Path& path = *contours[c].path;
    const std::vector<TabRange>& tabs = *contours[c].tabs;
    if (lead_in) {
      out += "G0 X";
      AppendEndpoint(out, LeadInPoint(path));
      out += kLineEnd;
    }
    if (settings.offset) {
      out += "G42";  // cutter compensation to the right, cancelled after the retract
      out += kLineEnd;
    }
    out += "G0 X";
    AppendEndpoint(out, path.segments.front().start);
    out += kLineEnd;
    if (!m.spindle.empty() && !spindle_on) {
      out += "M3 S";  // the speed as typed, like the feed
      out += m.spindle;
      out += kLineEnd;
      spindle_on = true;
    }
    // Each pass starts where the previous one closed: no retract between passes.
    for (double depth : passes) {
      AppendPass(out, path, tabs, depth, tab_depth, feed_suffix);
    }
    out += retract;
    out += kLineEnd;
    // A controller holds compensated moves back until compensation is cancelled; without this
    // line the last seat would stay uncut and the cutter down at depth.
    if (settings.offset) {
      out += "G40";
      out += kLineEnd;
    }
  }
  if (spindle_on) {
    out += "M5";
    out += kLineEnd;
  }
  if (m.program_end) {
    out += "M2";
    out += kLineEnd;
  }
  return out;
}

}  // namespace

std::string WriteGCode(std::span<const Path> contours, const GCodeSettings& settings) {
  const MachiningOptions& m = settings.machining;
  // A contour is reshaped only for a computed cutter path or tabs; otherwise the program
  // follows the contour itself, which is not copied.
  const bool reshaped = m.tool_diameter || m.tabs;
  std::vector<Toolpath> toolpaths;
  const std::vector<TabRange> no_tabs;
  std::vector<FollowedContour> followed;
  if (reshaped) {
    for (const Path& contour : contours) toolpaths.push_back(MakeToolpath(contour, m));
    for (const Toolpath& t : toolpaths) followed.push_back({&t.path, &t.tabs});
  } else {
    for (const Path& contour : contours) followed.push_back({&contour, &no_tabs});
  }
  return WriteProgram(followed, settings, PassDepths(m), TabDepth(m));
}

std::string WriteGCode(const Job& job) {
  const std::vector<TabRange> no_tabs;
  std::vector<FollowedContour> followed;
  for (size_t c = 0; c < job.ContourCount(); ++c) {
    followed.push_back(
        {&job.ProgramPath(c), job.toolpaths.empty() ? &no_tabs : &job.toolpaths[c].tabs});
  }
  const Design& d = job.design;
  return WriteProgram(
      followed, {.unit = d.unit, .offset = d.offset, .feed = d.feed, .machining = d.machining},
      job.pass_depths, job.tab_depth);
}

}  // namespace toothwright
