// The plan follows the program line by line, keeping track of where the cutter stands and of
// the feed in effect, so that each move holds where it starts as well as where it ends. Every
// number is kept as the program's text gives it back: a reader of the program and a walker of
// the plan see the same moves.
#include "sprocket/planner.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <numbers>
#include <optional>
#include <string_view>
#include <variant>

#include "geometry/segment.h"
#include "numbers/numbers.h"
#include "numbers/units.h"
#include "sprocket/lead_in.h"
#include "sprocket/ramp.h"

namespace toothwright {
namespace {

// Where the program retracts to when no safe height is set: "G0 Z2.00".
constexpr double kRetractHeight = 2;
// Coordinates from here up are not written from their ten-thousandths.
constexpr double kLargestFourDecimals = 1e11;
// The moves of a contour besides those along its path: entry point, compensation on, rapid
// move, spindle, plunge, up, exit point, off; and the program's comment, units, modes, safe height,
// spindle stop and end.
constexpr size_t kFixedMoves = 8;

// The feed is present when its text sorts after a single space by character codes: not
// empty and starting above the space, or a space followed by more. std::string_view compares
// chars as unsigned, so a UTF-8 lead byte sorts above the space as its character does.
bool FeedPresent(std::string_view feed) {
  return feed.compare(" ") > 0;
}

// A number written to 15 significant digits, as read back.
double AsRead(double value) {
  return ParseReal(FormatReal(value)).value_or(value);
}

// A ramp's depth written with kRampDepthDecimals decimals, as read back.
double RampDepthAsRead(double depth) {
  if (!(depth < kLargestFixedDepth)) return AsRead(depth);
  std::array<char, 64> text{};
  const auto written = std::to_chars(text.data(), text.data() + text.size(), depth,
                                     std::chars_format::fixed, kRampDepthDecimals);
  double value = depth;
  std::from_chars(text.data(), written.ptr, value);
  return value;
}

// A coordinate as read back: one holding four decimals is written exactly, zero as "0".
double CoordinateAsRead(double value) {
  const double scaled = std::round(value * 1e4);
  if (std::fabs(value) < kLargestFourDecimals && scaled / 1e4 == value) return value + 0.0;
  return AsRead(value);
}

Point AsRead(Point p) {
  return {CoordinateAsRead(p.x), CoordinateAsRead(p.y)};
}

MoveKind KindOf(const Segment& s) {
  switch (s.kind) {
    case SegmentKind::CounterClockwiseArc:
      return MoveKind::CounterClockwiseArc;
    case SegmentKind::ClockwiseArc:
      return MoveKind::ClockwiseArc;
    case SegmentKind::Line:
      break;
  }
  return MoveKind::Line;
}

// How far a compensated entry starts from the contour, and a compensated exit ends: twice the
// contour's smallest arc radius, more than the radius of any cutter that fits its arcs, as an
// entry move must be.
double CompensatedMoveLength(const Path& contour) {
  double smallest = 0;
  for (const Segment& s : contour.segments) {
    if (IsArc(s) && (smallest == 0 || s.radius < smallest)) smallest = s.radius;
  }
  return 2 * smallest;
}

// Where a compensated entry into contour starts: back along the tangent of its first segment,
// so that the controller's entry move ends with the cutter beside the contour's start exactly
// where the first segment's compensated path begins, with no corner to turn and nothing
// trimmed.
Point LeadInPoint(const Path& contour) {
  const Segment& first = contour.segments.front();
  const Point t = Tangent(first, first.start);
  const double back = CompensatedMoveLength(contour) / std::hypot(t.x, t.y);
  return Round4(Point{first.start.x - t.x * back, first.start.y - t.y * back});
}

// Where a compensated exit from a contour ends: on along the tangent at the end of the last
// cut, the entry's mirror. Cancelled there, the controller finishes the last cut beside its
// end with no corner to turn; cancelled at the cut's end, it would have to turn the corner
// between the last cut and the first, which a wide cutter cannot reach in a concave one.
Point LeadOutPoint(const Move& last_cut, double length) {
  const Segment s = Across(last_cut);
  const Point t = UnitTangent(s, s.end);
  return Round4(Point{s.end.x + t.x * length, s.end.y + t.y * length});
}

class Planner {
 public:
  explicit Planner(const Job& job)
      : job_(job),
        m_(job.design.machining),
        climb_(m_.direction == CutDirection::Climb),
        beam_(IsBeam(m_)),
        millimetres_per_unit_(job.design.unit == LengthUnit::Inch ? kMillimetresPerInch : 1) {
    assert(std::isfinite(m_.depth) && m_.depth >= 0);
    if (FeedPresent(job.design.feed)) {
      cutting_ = FeedWord::Cutting;
      cutting_rate_ = ParseReal(job.design.feed);
    }
    plunge_ = m_.plunge_feed.empty() ? cutting_ : FeedWord::Plunge;
    plunge_rate_ = m_.plunge_feed.empty() ? cutting_rate_ : ParseReal(m_.plunge_feed);
    if (m_.ramp_angle) slope_ = std::tan(*m_.ramp_angle * std::numbers::pi / 180);
  }

  std::variant<std::vector<Move>, RampShortfall> Plan() && {
    Reserve();
    const bool preamble = job_.design.preamble;
    if (preamble) Word(MoveKind::Comment);
    Word(MoveKind::Units);
    if (preamble) Word(MoveKind::Modes);
    // Up before the first move across: to the safe height, or for a computed cutter path or
    // the controller's offset, whose first move runs across wherever the machine stands, to
    // the height the program retracts to anyway.
    if (beam_) {
      if (m_.beam.travel_height) TravelUp();
    } else if (m_.safe_z || m_.tool_diameter || job_.design.offset) {
      Retract();
    }
    for (size_t c = 0; c < job_.ContourCount(); ++c) {
      if (beam_) {
        BeamContour(c);
      } else {
        Contour(c);
      }
    }
    if (spindle_on_) Word(MoveKind::SpindleOff);
    if (m_.program_end) Word(MoveKind::ProgramEnd);
    if (shortfall_) return *shortfall_;
    return std::move(moves_);
  }

 private:
  // Room for one move per segment and two per tab on every pass, made at once: a part of
  // thousands of teeth makes hundreds of thousands of moves. Ramps and lead arcs add a few more.
  void Reserve() {
    size_t per_pass = 0;
    for (size_t c = 0; c < job_.ContourCount(); ++c) {
      per_pass += job_.ProgramPath(c).segments.size();
      if (!job_.toolpaths.empty()) per_pass += 2 * job_.toolpaths[c].tabs.size();
    }
    moves_.reserve(per_pass * job_.pass_depths.size() + kFixedMoves * (job_.ContourCount() + 1));
  }

  // Appends m, starting where the cutter stands, and moves the cutter to its end.
  void Push(Move m) {
    if (m.across) {
      m.start = at_.value_or(m.end);
      at_ = m.end;
    } else {
      m.start = m.end = at_.value_or(Point{});
    }
    m.z_from = z_;
    if (m.height == HeightWord::None) m.z_to = z_;
    z_ = m.z_to;
    if (m.feed_word != FeedWord::None) {
      feed_ = m.feed_word == FeedWord::Plunge ? plunge_rate_ : cutting_rate_;
    }
    m.feed = feed_;
    if (IsArc(m)) m.centre = {m.start.x + m.offsets.i, m.start.y + m.offsets.j};
    moves_.push_back(m);
  }

  void Word(MoveKind kind) { Push({.kind = kind}); }

  // Up to the safe height, or 2 units up.
  void Retract() { RapidToHeight(m_.safe_z); }

  // A rapid move to height, or without one 2 units up; none when the cutter stands there.
  void RapidToHeight(std::optional<double> height) {
    if (!height) {
      Push({.kind = MoveKind::Rapid, .z_to = kRetractHeight, .height = HeightWord::TwoUnitsUp});
    } else if (AsRead(*height) != z_) {
      Push({.kind = MoveKind::Rapid, .z_to = AsRead(*height), .height = HeightWord::Height});
    }
  }

  void RapidTo(Point p) { Push({.kind = MoveKind::Rapid, .across = true, .end = AsRead(p)}); }

  // Across to where the path is entered: its start, or with a lead-in the start of its entry
  // arc in the waste, whose arcs are returned.
  std::optional<LeadArcs> RapidToEntry(const Path& path) {
    std::optional<LeadArcs> lead;
    if (m_.lead_in) lead = MakeLeadArcs(path, *m_.lead_in, !climb_);
    RapidTo(lead ? lead->in.start : path.segments.front().start);
    return lead;
  }

  // Straight down or up to depth: while cutting, every such move is a feed move.
  void FeedToDepth(double depth, FeedWord word) {
    Push({.kind = MoveKind::Line,
          .z_to = -AsRead(depth),
          .height = HeightWord::Depth,
          .feed_word = word});
  }

  // Holes, a computed cutter path and the outline under the controller's offset get centres
  // that keep both radii of an arc within the tolerance: a controller offsetting a seat by a
  // cutter all but as wide measures the seat's radius from both ends. The outline as it stands
  // otherwise keeps its four-decimal offsets from the stored centre.
  ArcOffsets OffsetsOf(const Segment& s) const {
    ArcOffsets o{Round4(s.centre.x - s.start.x), Round4(s.centre.y - s.start.y), 4};
    if (m_.tool_diameter || job_.design.offset || s.role == SegmentRole::Hole || beam_) {
      o = TolerantOffsets(s, millimetres_per_unit_);
    }
    return {o.i + 0.0, o.j + 0.0, o.decimals};
  }

  // Along segment s, going down to ramp_depth on the way when given.
  void Cut(const Segment& s, FeedWord word, std::optional<double> ramp_depth = std::nullopt) {
    Move m{.kind = KindOf(s), .across = true, .end = AsRead(s.end), .feed_word = word};
    if (ramp_depth) {
      m.z_to = -RampDepthAsRead(*ramp_depth);
      m.height = HeightWord::RampDepth;
    }
    if (IsArc(s)) m.offsets = OffsetsOf(s);
    Push(m);
  }

  void Ramp(const RampMove& r) {
    const FeedWord word = r.down ? plunge_ : cutting_;
    if (r.vertical) {
      FeedToDepth(*r.depth, word);
    } else {
      Cut(r.piece, word, r.depth);
    }
  }

  // One pass round contour c at `depth`, rising to the tabs' top over each tab when the pass
  // lies deeper than it.
  void Pass(size_t c, double depth, bool plunge) {
    if (plunge) FeedToDepth(depth, plunge_);
    const std::vector<Segment>& segments = job_.ProgramPath(c).segments;
    const std::vector<TabRange> none;
    const std::vector<TabRange>& tabs = job_.toolpaths.empty() ? none : job_.toolpaths[c].tabs;
    const std::optional<double> tab_depth = job_.tab_depth;
    const bool rises = tab_depth && depth > *tab_depth;
    size_t tab = 0;
    bool risen = false;
    for (size_t k = 0; k <= segments.size(); ++k) {
      // A tab ending here comes down before one starting here rises; an empty one does both.
      while (rises && tab < tabs.size()) {
        if (risen && tabs[tab].last == k) {
          FeedToDepth(depth, plunge_);
          risen = false;
          ++tab;
        } else if (!risen && tabs[tab].first == k) {
          FeedToDepth(*tab_depth, cutting_);
          risen = true;
        } else {
          break;
        }
      }
      if (k < segments.size()) Cut(segments[k], cutting_);
    }
  }

  // Each pass goes down in the waste (along the entry arc when ramping), runs onto the path,
  // leaves it along the exit arc and comes back across the waste to the entry point.
  void LeadPasses(size_t c, const LeadArcs& lead) {
    const Path in{{lead.in}};
    const Segment back{.kind = SegmentKind::Line,
                       .role = lead.in.role,
                       .start = lead.out.end,
                       .end = lead.in.start};
    const auto ramp = [this](const RampMove& r) { Ramp(r); };
    const std::vector<double>& passes = job_.pass_depths;
    double depth_now = 0;
    for (size_t k = 0; k < passes.size(); ++k) {
      const double depth = passes[k];
      if (m_.ramp_angle) {
        if (k == 0) FeedToDepth(0, plunge_);  // onto the top of the stock
        // Its pieces are pieces of the entry arc, not of the path; no straight move down
        // after a tab either.
        Note(RampAlong(in, depth_now, depth, slope_, ramp));
        Note(RampedTurn(job_.toolpaths[c], depth, slope_, job_.tab_depth, ramp));
      } else {
        FeedToDepth(depth, plunge_);
        Cut(lead.in, cutting_);
        Pass(c, depth, false);
      }
      Cut(lead.out, cutting_);
      if (k + 1 < passes.size()) Cut(back, cutting_);
      depth_now = depth;
    }
  }

  void Contour(size_t c) {
    const Path& path = job_.ProgramPath(c);
    assert(!path.segments.empty());
    const bool offset = job_.design.offset;
    if (offset) {
      // A controller offsets the cutter sideways from the direction of the move that follows
      // the compensation word: entered along the first segment's tangent, from wherever the
      // machine stands, the cutter comes down beside the contour's start.
      RapidTo(LeadInPoint(path));
      Word(climb_ ? MoveKind::CompensationLeft : MoveKind::CompensationRight);
    }
    const std::optional<LeadArcs> lead = RapidToEntry(path);
    if (!m_.spindle.empty() && !spindle_on_) {
      Word(MoveKind::SpindleOn);
      spindle_on_ = true;
    }
    if (lead) {
      LeadPasses(c, *lead);
    } else if (m_.ramp_angle) {
      // Down to the top of the stock above the contour's start, then along the path.
      FeedToDepth(0, plunge_);
      Note(RampedPasses(job_.toolpaths[c], job_.pass_depths, slope_, job_.tab_depth, offset,
                        [this](const RampMove& r) { Ramp(r); }));
    } else {
      // Each pass starts where the previous one closed: no retract between passes.
      for (double depth : job_.pass_depths) Pass(c, depth, true);
    }
    const Move last_cut = LastCut();
    Retract();
    if (offset) {
      RapidTo(LeadOutPoint(last_cut, CompensatedMoveLength(path)));
      // A controller holds compensated moves back until compensation is cancelled; without
      // this line the last seat would stay uncut and the cutter down at depth.
      Word(MoveKind::CompensationOff);
    }
  }

  // A beam cuts through wherever it is on: it comes on in the waste (at the entry arc's start,
  // else at the contour's start), runs round the contour as many times as asked without a
  // stop, and goes off over each tab and before every move across.
  void BeamContour(size_t c) {
    const std::optional<LeadArcs> lead = RapidToEntry(job_.ProgramPath(c));
    BeamOn();
    if (lead) Cut(lead->in, cutting_);
    for (int k = 0; k < m_.beam.passes; ++k) BeamPass(c);
    if (lead) Cut(lead->out, cutting_);
    BeamOff();
  }

  // Once round contour c, off and across over each tab wide enough to show.
  void BeamPass(size_t c) {
    const std::vector<Segment>& segments = job_.ProgramPath(c).segments;
    const std::vector<TabRange> none;
    const std::vector<TabRange>& tabs = job_.toolpaths.empty() ? none : job_.toolpaths[c].tabs;
    size_t tab = 0;
    for (size_t k = 0; k < segments.size();) {
      while (tab < tabs.size() && tabs[tab].first == tabs[tab].last) ++tab;
      if (tab < tabs.size() && tabs[tab].first == k) {
        const size_t resume = tabs[tab++].last;
        BeamOff();
        RapidTo(resume < segments.size() ? segments[resume].start : segments.front().start);
        BeamOn();
        k = resume;
        continue;
      }
      Cut(segments[k++], cutting_);
    }
  }

  // Down to the pierce height, the beam or torch on, the pierce's dwell, down to the cut
  // height: each where the process has it.
  void BeamOn() {
    const BeamOptions& b = m_.beam;
    if (b.pierce_height) RapidToHeight(b.pierce_height);
    Word(m_.process == Process::Laser ? MoveKind::LaserOn : MoveKind::SpindleOn);
    if (!b.pierce_delay.empty()) Push({.kind = MoveKind::Dwell, .seconds = b.delay_seconds});
    if (b.cut_height && AsRead(*b.cut_height) != z_) {
      Push({.kind = MoveKind::Line,
            .z_to = AsRead(*b.cut_height),
            .height = HeightWord::Height,
            .feed_word = cutting_});
    }
  }

  // Off, and up to the travel height where there is one.
  void BeamOff() {
    Word(MoveKind::SpindleOff);
    if (m_.beam.travel_height) TravelUp();
  }

  void TravelUp() {
    const BeamOptions& b = m_.beam;
    RapidToHeight(b.travel_two_units ? std::nullopt : b.travel_height);
  }

  void Note(const std::optional<RampShortfall>& shortfall) {
    if (!shortfall_) shortfall_ = shortfall;
  }

  // The last move that cut across: every contour's passes make one.
  Move LastCut() const {
    const auto last = std::find_if(moves_.rbegin(), moves_.rend(), CutsAcross);
    assert(last != moves_.rend());
    return *last;
  }

  const Job& job_;
  const MachiningOptions& m_;
  bool climb_;
  bool beam_;  // a laser, plasma or waterjet: no depth, the beam switched per contour
  double millimetres_per_unit_;
  FeedWord cutting_ = FeedWord::None, plunge_ = FeedWord::None;
  std::optional<double> cutting_rate_, plunge_rate_;
  double slope_ = 0;  // depth per unit of length along a ramp
  bool spindle_on_ = false;
  std::optional<RampShortfall> shortfall_;  // the first ramp that could not be made
  std::vector<Move> moves_;
  std::optional<Point> at_;  // where the cutter stands across; unknown before the first move
  double z_ = 0;
  std::optional<double> feed_;  // the feed in effect
};

}  // namespace

std::variant<std::vector<Move>, RampShortfall> PlanMachining(const Job& job) {
  return Planner(job).Plan();
}

}  // namespace toothwright
