// The milling program, built in one string: a units line, then per contour the optional
// entry point and cutter-compensation line, a rapid move to the path's start (or to its entry
// arc's), each pass's way down (a feed move straight down, a ramp, or down in the waste
// before the entry arc) and one move per segment, and a rapid move up. Each path is closed,
// so a plunged pass ends on the point of the rapid move.
#include "output/gcode.h"

#include <cassert>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

#include "geometry/arc_length.h"
#include "output/arc_offsets.h"
#include "output/decimal_text.h"
#include "output/ramp.h"
#include "sprocket/lead_in.h"
#include "sprocket/numbers.h"
#include "sprocket/toolpath.h"
#include "sprocket/units.h"

namespace toothwright {
namespace {

// Every line of the program, the last included, ends in CR LF.
constexpr std::string_view kLineEnd = "\r\n";
constexpr int kRampDepthDecimals = 8;
// Depths from here up are written by FormatReal (no such depth is ever cut).
constexpr double kLargestFixedDepth = 1e10;
// Room for one arc line's words and line end (13 characters) and its four numbers of up to
// 16 characters each; the feed suffix comes on top.
constexpr size_t kArcLineReserve = 80;
// The fixed lines of a contour besides its moves: entry point, compensation on, rapid move,
// spindle, up, off; the program's comment, units, modes, safe height, spindle stop and end.
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

// How the program words its moves: the feed suffixes and how arc centres are written.
struct Words {
  std::string feed;    // " F<feed>", or empty when no feed is given
  std::string plunge;  // the suffix of moves down: the plunge feed's, else the feed's
  // Holes and a computed cutter path get centres that keep both radii of an arc within the
  // tolerance; the outline as it stands keeps its four-decimal offsets from the stored centre.
  bool tolerant_outline = false;
  double millimetres_per_unit = 1;
};

bool Tolerant(const Segment& s, const Words& words) {
  return words.tolerant_outline || s.role == SegmentRole::Hole;
}

// The offsets of every arc of a path written with TolerantOffsets, worked out once for all its
// passes; empty when none is.
std::vector<ArcOffsets> OffsetsOf(const Path& path, const Words& words) {
  std::vector<ArcOffsets> offsets;
  bool any = false;
  for (const Segment& s : path.segments) any = any || (IsArc(s) && Tolerant(s, words));
  if (!any) return offsets;
  offsets.reserve(path.segments.size());
  for (const Segment& s : path.segments) {
    offsets.push_back(IsArc(s) && Tolerant(s, words)
                          ? TolerantOffsets(s, words.millimetres_per_unit)
                          : ArcOffsets{});
  }
  return offsets;
}

// One move along a segment: the endpoint, and for an arc I and J, the offsets from the arc's
// start to its centre; then the feed suffix, which is empty when there is no feed.
void AppendMove(std::string& out, const Segment& s, const Words& words,
                const ArcOffsets* offsets = nullptr, std::optional<double> depth = std::nullopt,
                bool down = false) {
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
  if (depth) {
    // A ramp's heights hold eight decimals: enough for the slope of its shortest piece, never
    // an exponent.
    out += " Z-";
    if (*depth < kLargestFixedDepth) {
      AppendFixedDecimals(out, *depth, kRampDepthDecimals);
    } else {
      out += FormatReal(*depth);
    }
  }
  if (IsArc(s) && Tolerant(s, words)) {
    const ArcOffsets o = offsets ? *offsets : TolerantOffsets(s, words.millimetres_per_unit);
    const auto append = [&](double value) {
      if (o.decimals == 4) {
        AppendFourDecimals(out, value);
      } else {
        AppendFixedDecimals(out, value, o.decimals);
      }
    };
    out += " I";
    append(o.i);
    out += " J";
    append(o.j);
  } else if (IsArc(s)) {
    out += " I";
    AppendFourDecimals(out, Round4(s.centre.x - s.start.x));
    out += " J";
    AppendFourDecimals(out, Round4(s.centre.y - s.start.y));
  }
  out += down ? words.plunge : words.feed;
  out += kLineEnd;
}

// "G1 Z-<depth>" and a feed suffix: every move down or up while cutting is a feed move.
void AppendFeedToDepth(std::string& out, double depth, std::string_view feed_suffix) {
  out += "G1 Z-";
  out += FormatReal(depth);
  out += feed_suffix;
  out += kLineEnd;
}

// One pass round a path at `depth`, rising to tab_depth over each tab when the pass lies
// deeper than it.
void AppendPass(std::string& out, const Path& path, const std::vector<ArcOffsets>& offsets,
                const std::vector<TabRange>& tabs, double depth, std::optional<double> tab_depth,
                const Words& words, bool plunge = true) {
  if (plunge) AppendFeedToDepth(out, depth, words.plunge);
  const std::vector<Segment>& segments = path.segments;
  const bool rises = tab_depth && depth > *tab_depth;
  size_t tab = 0;
  bool risen = false;
  for (size_t k = 0; k <= segments.size(); ++k) {
    // A tab ending here comes down before one starting here rises; an empty one does both.
    while (rises && tab < tabs.size()) {
      if (risen && tabs[tab].last == k) {
        AppendFeedToDepth(out, depth, words.plunge);
        risen = false;
        ++tab;
      } else if (!risen && tabs[tab].first == k) {
        AppendFeedToDepth(out, *tab_depth, words.feed);
        risen = true;
      } else {
        break;
      }
    }
    if (k < segments.size()) {
      AppendMove(out, segments[k], words, offsets.empty() ? nullptr : &offsets[k]);
    }
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
  const Point t = StartTangent(first);
  const double back = 2 * smallest / std::hypot(t.x, t.y);
  return {Round4(first.start.x - t.x * back), Round4(first.start.y - t.y * back)};
}

// The preamble as a comment: a ")" inside would end it early and hand the rest to the
// controller as words, a "(" would open a nested comment that some controllers refuse, and a
// line break would start a line of its own.
void AppendComment(std::string& out, std::string_view text) {
  out += '(';
  for (char ch : text) {
    if (ch == '(') {
      out += '[';
    } else if (ch == ')') {
      out += ']';
    } else if (static_cast<unsigned char>(ch) < ' ' || ch == '\x7f') {
      out += ' ';
    } else {
      out += ch;
    }
  }
  out += ')';
  out += kLineEnd;
}

// One contour as the program follows it: its toolpath, or the contour itself (no tabs) when
// nothing reshapes it.
struct FollowedContour {
  const Path* path = nullptr;
  const std::vector<TabRange>* tabs = nullptr;
  const Toolpath* toolpath = nullptr;  // set when reshaped
};

// The program for contours followed in the order given; passes and tab_depth as written.
std::string WriteProgram(std::span<const FollowedContour> contours, const GCodeSettings& settings,
                         const std::vector<double>& passes, std::optional<double> tab_depth) {
  const MachiningOptions& m = settings.machining;
  assert(std::isfinite(m.depth) && m.depth >= 0);
  const bool inches = settings.unit == LengthUnit::Inch;
  Words words{.tolerant_outline = m.tool_diameter.has_value(),
              .millimetres_per_unit = inches ? kMillimetresPerInch : 1};
  if (FeedPresent(settings.feed)) words.feed.append(" F").append(settings.feed);
  words.plunge = m.plunge_feed.empty() ? words.feed : " F" + m.plunge_feed;
  // The final retract goes to the safe height when one is set, else 2 units up.
  const std::string retract = m.safe_z ? "G0 Z" + FormatReal(*m.safe_z) : "G0 Z2.00";
  const bool climb = m.direction == CutDirection::Climb;

  size_t moves = 0;
  for (const FollowedContour& contour : contours) {
    assert(!contour.path->segments.empty());
    moves += contour.path->segments.size() + 2 * contour.tabs->size();
  }
  std::string out;
  out.reserve((moves * passes.size() + kFixedLines * (contours.size() + 1)) *
                  (kArcLineReserve + words.feed.size()) +
              settings.preamble.size());
  if (!settings.preamble.empty()) AppendComment(out, settings.preamble);
  out += inches ? "G20" : "G21";
  out += kLineEnd;
  if (!settings.preamble.empty()) {
    out += "G17 G90 G94";  // XY plane, absolute distances, feed in units per minute
    out += kLineEnd;
  }
  // Up before the first move across: to the safe height, or for a computed cutter path, which
  // is meant for any controller, to the height the program retracts to anyway.
  if (m.safe_z || m.tool_diameter) {
    out += retract;
    out += kLineEnd;
  }
  bool spindle_on = false;
  for (size_t c = 0; c < contours.size(); ++c) {
    const Path& path = *contours[c].path;
    const std::vector<TabRange>& tabs = *contours[c].tabs;
    if (settings.offset) {
      // A controller offsets the cutter sideways from the direction of the move that follows
      // the compensation word: entered along the first segment's tangent, from wherever the
      // machine stands, the cutter comes down beside the contour's start.
      out += "G0 X";
      AppendEndpoint(out, LeadInPoint(path));
      out += kLineEnd;
      // Cutter compensation to the right (left for climb), cancelled after the retract.
      out += climb ? "G41" : "G42";
      out += kLineEnd;
    }
    const std::vector<ArcOffsets> offsets = OffsetsOf(path, words);
    // A computed cutter path entered along a quarter circle in the waste starts there.
    std::optional<LeadArcs> lead;
    if (m.lead_in && m.tool_diameter) lead = MakeLeadArcs(path, *m.lead_in, !climb);
    out += "G0 X";
    AppendEndpoint(out, lead ? lead->in.start : path.segments.front().start);
    out += kLineEnd;
    if (!m.spindle.empty() && !spindle_on) {
      out += "M3 S";  // the speed as typed, like the feed
      out += m.spindle;
      out += kLineEnd;
      spindle_on = true;
    }
    const auto append_ramp_move = [&](const RampMove& move) {
      if (move.vertical) {
        AppendFeedToDepth(out, *move.depth, move.down ? words.plunge : words.feed);
      } else {
        const bool cached = move.whole && !offsets.empty();
        AppendMove(out, move.piece, words, cached ? &offsets[*move.whole] : nullptr, move.depth,
                   move.down);
      }
    };
    if (lead) {
      // Each pass goes down in the waste (along the entry arc when ramping), runs onto the
      // path, leaves it along the exit arc and comes back across the waste to the entry point.
      const Path in{{lead->in}};
      const Segment back{.kind = SegmentKind::Line,
                         .role = lead->in.role,
                         .start = lead->out.end,
                         .end = lead->in.start};
      double depth_now = 0;
      for (size_t k = 0; k < passes.size(); ++k) {
        const double depth = passes[k];
        if (m.ramp_angle) {
          if (k == 0) AppendFeedToDepth(out, 0, words.plunge);  // onto the top of the stock
          // Its pieces are pieces of the entry arc, not of the path.
          RampAlong(in, depth_now, depth, std::tan(*m.ramp_angle * std::numbers::pi / 180),
                    [&](RampMove move) {
                      move.whole.reset();
                      append_ramp_move(move);
                    });
        } else {
          AppendFeedToDepth(out, depth, words.plunge);
          AppendMove(out, lead->in, words);
        }
        if (m.ramp_angle) {
          // No straight move down after a tab either.
          RampedTurn(*contours[c].toolpath, depth, std::tan(*m.ramp_angle * std::numbers::pi / 180),
                     tab_depth, append_ramp_move);
        } else {
          AppendPass(out, path, offsets, tabs, depth, tab_depth, words, false);
        }
        AppendMove(out, lead->out, words);
        if (k + 1 < passes.size()) AppendMove(out, back, words);
        depth_now = depth;
      }
    } else if (m.ramp_angle) {
      // Down to the top of the stock above the contour's start, then along the path.
      AppendFeedToDepth(out, 0, words.plunge);
      const double slope = std::tan(*m.ramp_angle * std::numbers::pi / 180);
      RampedPasses(*contours[c].toolpath, passes, slope, tab_depth, !settings.offset,
                   append_ramp_move);
    } else {
      // Each pass starts where the previous one closed: no retract between passes.
      for (double depth : passes) {
        AppendPass(out, path, offsets, tabs, depth, tab_depth, words);
      }
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
  std::vector<Toolpath> toolpaths;
  const std::vector<TabRange> no_tabs;
  std::vector<FollowedContour> followed;
  if (ReshapesContours(m)) {
    for (const Path& contour : contours) toolpaths.push_back(MakeToolpath(contour, m));
    for (const Toolpath& t : toolpaths) followed.push_back({&t.path, &t.tabs, &t});
  } else {
    for (const Path& contour : contours) followed.push_back({&contour, &no_tabs, nullptr});
  }
  return WriteProgram(followed, settings, PassDepths(m), TabDepth(m));
}

std::string PartDescription(const Job& job) {
  const Design& d = job.design;
  const std::string unit = std::string(" ") + UnitName(d.unit);
  std::string text = d.chain ? std::string(d.chain->name)
                             : "pitch " + FormatReal(d.tooth.pitch) + unit + ", roller " +
                                   FormatReal(d.tooth.roller) + unit;
  text += ", " + std::to_string(d.tooth.teeth) + " teeth";
  if (d.machining.tool_diameter) text += ", tool " + FormatReal(*d.machining.tool_diameter) + unit;
  if (d.machining.depth > 0) text += ", depth " + FormatReal(d.machining.depth) + unit;
  return text;
}

std::string WriteGCode(const Job& job, std::string_view program) {
  const std::vector<TabRange> no_tabs;
  std::vector<FollowedContour> followed;
  for (size_t c = 0; c < job.ContourCount(); ++c) {
    if (job.toolpaths.empty()) {
      followed.push_back({&job.Contour(c), &no_tabs, nullptr});
    } else {
      followed.push_back({&job.toolpaths[c].path, &job.toolpaths[c].tabs, &job.toolpaths[c]});
    }
  }
  const Design& d = job.design;
  std::string preamble;
  if (d.preamble) preamble = std::string(program) + ": " + PartDescription(job);
  return WriteProgram(followed,
                      {.unit = d.unit,
                       .offset = d.offset,
                       .feed = d.feed,
                       .machining = d.machining,
                       .preamble = preamble},
                      job.pass_depths, job.tab_depth);
}

}  // namespace toothwright
