// Positions on a closed path are lengths from its start; a walk may wind past the end, and a
// position is taken modulo the path's length only where a segment is looked up. Every split
// point is rounded to four decimals like the path's own points (CutPoint).
#include "sprocket/ramp.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <limits>
#include <utility>

#include "geometry/segment.h"

namespace toothwright {
namespace {

struct Piece {
  Segment segment;
  double end = 0;               // position along the path where the piece ends
  std::optional<size_t> whole;  // the path's segment index when the piece is all of it
};

class PathWalk {
 public:
  explicit PathWalk(const Path& path) : path_(path) {
    starts_.reserve(path.segments.size());
    lengths_.reserve(path.segments.size());
    for (const Segment& s : path.segments) {
      starts_.push_back(total_);
      lengths_.push_back(SegmentLength(s));
      total_ += lengths_.back();
    }
  }

  double Total() const { return total_; }

  // Where each segment starts; the path's length for index n.
  double Start(size_t k) const { return k < starts_.size() ? starts_[k] : total_; }

  // The first position at or after `at` where a segment ends (or starts), in the same turn.
  double SegmentEndFrom(double at) const {
    const double turn = std::floor(at / total_) * total_;
    const auto next =
        std::lower_bound(starts_.begin(), starts_.end(), at - turn - kSameLength * total_);
    return turn + (next == starts_.end() ? total_ : *next);
  }

  // Hands `each` the pieces from position `from` to `to`: forwards, winding round as often as
  // needed, when from < to; backwards when from > to. A piece whose rounded ends meet is left
  // out.
  template <typename Each>
  void Between(double from, double to, Each&& each) const {
    if (from > to) {
      std::vector<Piece> forwards;
      Forwards(to, from, [&](const Piece& p) { forwards.push_back(p); });
      for (size_t k = forwards.size(); k-- > 0;) {
        each(Piece{Reversed(forwards[k].segment), k > 0 ? forwards[k - 1].end : to, {}});
      }
      return;
    }
    Forwards(from, to, each);
  }

 private:
  // Positions closer than this share of the path's length count as the same.
  static constexpr double kSameLength = 1e-12;

  template <typename Each>
  void Forwards(double from, double to, Each&& each) const {
    const double tiny = kSameLength * total_;
    const double turn = std::floor(from / total_) * total_;
    size_t k = static_cast<size_t>(std::upper_bound(starts_.begin(), starts_.end(), from - turn) -
                                   starts_.begin());
    k = k == 0 ? 0 : k - 1;
    double begin = turn + starts_[k];  // where segment k starts in this walk
    for (double at = from; at < to - tiny;) {
      const Segment& s = path_.segments[k];
      const double length = lengths_[k];
      const double upto = std::min(begin + length, to);
      if (upto - at > tiny) {
        Segment part = s;
        const bool from_start = !(at - begin > tiny), to_end = !(upto < begin + length - tiny);
        if (!from_start) part.start = CutPoint(s, at - begin);
        if (!to_end) part.end = CutPoint(s, upto - begin);
        if (!(part.start == part.end)) {
          each(Piece{part, upto, from_start && to_end ? std::optional(k) : std::nullopt});
        }
      }
      at = upto;
      if (at >= begin + length - tiny) {
        begin += length;
        k = (k + 1) % path_.segments.size();
      }
    }
  }

  const Path& path_;
  std::vector<double> starts_, lengths_;
  double total_ = 0;
};

// Writes the passes' moves while keeping track of the cutter's depth.
class Passes {
 public:
  Passes(const Toolpath& toolpath, double slope, std::optional<double> tab_depth, bool compensated,
         const std::function<void(const RampMove&)>& move)
      : walk_(toolpath.path),
        move_(move),
        steepest_(slope * (1 - kRampSlack)),
        planned_(slope * (1 - 2 * kRampSlack)),
        tab_depth_(tab_depth),
        compensated_(compensated) {
    assert(!(compensated && tab_depth && !toolpath.tabs.empty()));
    for (const TabRange& tab : toolpath.tabs) {
      tabs_.push_back({walk_.Start(tab.first), walk_.Start(tab.last)});
    }
  }

  // What stopped a ramp, if anything did.
  const std::optional<RampShortfall>& Shortfall() const { return shortfall_; }

  // Back and forth along an open path from its start, then on to its end, at target.
  void Lead(double from_depth, double target) {
    depth_ = from_depth;
    const double total = walk_.Total();
    const double drop = target - depth_;
    if (!RampFits(drop, total)) FallShort(RampRoom::EntryArc, drop, total, target);
    bool at_end = false;
    for (int leg = 0; leg <= kMostRampLegs && depth_ < target; ++leg, at_end = !at_end) {
      if (at_end) {
        Along(total, 0, target);
      } else {
        Along(0, total, target);
      }
    }
    assert(!(depth_ < target));
    if (!at_end) Level(0, total);
  }

  // One turn at the depth the cutter stands at, from the path's start.
  void Turn(double depth) {
    depth_ = depth;
    if (tab_depth_ && depth > *tab_depth_ && !tabs_.empty()) {
      TabbedPass(depth);
    } else {
      Level(0, walk_.Total());
    }
  }

  void Pass(double target) {
    if (tab_depth_ && target > *tab_depth_ && !tabs_.empty()) {
      TabbedPass(target);
    } else {
      Spiral(target);
    }
  }

 private:
  // Moves from position `from` to `to` along the path, each piece at least
  // kShortestRampPiece long going down at the steepest slope until target; the position where
  // target is reached, or a negative one.
  double Along(double from, double to, double target) {
    double reached = -1;
    walk_.Between(from, to, [&](const Piece& p) {
      RampMove m{.piece = p.segment, .whole = p.whole};
      if (depth_ < target) {
        const double length = SegmentLength(p.segment);
        if (length >= kShortestRampPiece) {
          depth_ = std::min(target, depth_ + steepest_ * length);
          m.depth = depth_;
          m.down = true;
          if (depth_ == target) reached = p.end;
        }
      }
      move_(m);
    });
    return reached;
  }

  void Level(double from, double to) { Along(from, to, depth_); }

  void Vertical(double depth) {
    move_({.vertical = true, .depth = depth, .down = depth > depth_});
    depth_ = depth;
  }

  // Whether `room` of pieces at least kShortestRampPiece long takes a ramp down `drop` within
  // kMostRampLegs legs.
  bool RampFits(double drop, double room) const {
    return room >= kShortestRampPiece && std::ceil(drop / (room * steepest_)) <= kMostRampLegs;
  }

  // Notes the first ramp down `drop` that `room` cannot take, and goes straight down to target
  // instead, so that the moves still end where a ramp would have.
  void FallShort(RampRoom where, double drop, double room, double target) {
    if (!shortfall_) shortfall_ = RampShortfall{.where = where, .drop = drop, .room = room};
    Vertical(target);
  }

  // Under the controller's compensation a ramp ends where a segment does: the piece left of a
  // split segment may be too short for the controller to turn the corner after it.
  double RampEnd(double at) const { return compensated_ ? walk_.SegmentEndFrom(at) : at; }

  // Down round the path from where the last pass ended, then one whole turn at the depth.
  void Spiral(double target) {
    const double drop = target - depth_;
    // A pass at the depth the cutter stands at (a depth of 0) is one level turn.
    double end = at_, reached = at_;
    if (drop > 0) {
      end = RampEnd(at_ + drop / planned_);
      reached = Along(at_, end, target);
    }
    // Pieces too short to go down on took some of the way: on along the path, and no ramp at
    // all on a path of nothing but such pieces.
    for (int more = 0; reached < 0; ++more) {
      const double length = (target - depth_) / planned_ + 2 * kShortestRampPiece;
      if (more == kMostRampLegs) {
        FallShort(RampRoom::Path, drop, walk_.Total(), target);
        reached = end;
        break;
      }
      const double next = RampEnd(end + length);
      reached = Along(end, next, target);
      end = next;
    }
    Level(end, reached + walk_.Total());
    at_ = std::fmod(reached, walk_.Total());
  }

  // One turn that rises over every tab and goes down again between them.
  void TabbedPass(double target) {
    const double total = walk_.Total();
    // A pass does not start over a tab: it moves level to the tab's end first, which is safe,
    // as a pass ends over a tab only at the tabs' height.
    for (const auto& [begin, end] : tabs_) {
      if (at_ > begin && at_ < end) {
        Level(at_, end);
        at_ = end;
      }
    }
    StartWhereTheStretchFits(target);
    // The tabs in the order this turn meets them.
    std::vector<std::pair<double, double>> ahead;
    for (const auto& [begin, end] : tabs_) {
      const double shift = begin < at_ ? total : 0;
      ahead.push_back({begin + shift, end + shift});
    }
    std::sort(ahead.begin(), ahead.end());
    double from = at_;
    for (const auto& [begin, end] : ahead) {
      Stretch(from, begin, target);
      if (depth_ > *tab_depth_) Vertical(*tab_depth_);
      Level(begin, end);
      from = end;
    }
    Stretch(from, at_ + total, target);
  }

  // Whether a stretch of `width` takes a ramp down `drop` as Stretch makes it.
  bool StretchFits(double width, double drop) const {
    return !(width > kShortestRampPiece / 2) || !(drop > 0) ||
           (width >= 2 * kShortestRampPiece && RampFits(drop, width));
  }

  // A pass that would start so near a tab that the stretch before or after its start is too
  // short to ramp down in starts at the end of the tab before instead, moving back there level
  // along what the last pass cut.
  void StartWhereTheStretchFits(double target) {
    const double total = walk_.Total();
    double after_tab = -total, before_tab = 2 * total;  // the stretch round where it stands
    for (const auto& [begin, end] : tabs_) {
      after_tab = std::max(after_tab, end <= at_ ? end : end - total);
      before_tab = std::min(before_tab, begin >= at_ ? begin : begin + total);
    }
    if (StretchFits(before_tab - at_, target - depth_) &&
        StretchFits(at_ - after_tab, target - *tab_depth_)) {
      return;
    }
    Level(at_, after_tab);
    at_ = after_tab < 0 ? after_tab + total : after_tab;
  }

  // Cuts the stretch between two tabs (or a tab and the pass's start) at target, going down in
  // legs back and forth within its first part, then back over the legs' slopes and along the
  // whole stretch at the depth.
  void Stretch(double from, double to, double target) {
    const double width = to - from;
    if (!(width > kShortestRampPiece / 2)) {  // tabs that all but meet: nothing to go down in
      Level(from, to);
      return;
    }
    const double drop = target - depth_;
    if (drop > 0 && (width < 2 * kShortestRampPiece || !RampFits(drop, width))) {
      FallShort(RampRoom::BetweenTabs, drop, width, target);
    }
    if (depth_ >= target) {
      Level(from, to);
      return;
    }
    // The legs run over no more of the stretch than one ramp needs, and over a piece long
    // enough to go down on when it needs less.
    double room = (target - depth_) / planned_;
    if (room < kShortestRampPiece) room = 2 * kShortestRampPiece;
    const double end = std::min(to, from + room);
    bool at_end = false;
    for (int leg = 0; leg <= kMostRampLegs && depth_ < target; ++leg, at_end = !at_end) {
      if (at_end) {
        Along(end, from, target);
      } else {
        Along(from, end, target);
      }
    }
    // A stretch of pieces too short to go down on.
    if (depth_ < target) FallShort(RampRoom::BetweenTabs, drop, width, target);
    if (at_end) Level(end, from);
    Level(from, to);
  }

  PathWalk walk_;
  const std::function<void(const RampMove&)>& move_;
  double steepest_, planned_;
  std::optional<double> tab_depth_;
  bool compensated_;
  std::optional<RampShortfall> shortfall_;
  std::vector<std::pair<double, double>> tabs_;  // positions of each tab's ends
  double at_ = 0;                                // where the cutter is along the path
  double depth_ = 0;                             // and how deep
};

}  // namespace

std::optional<RampShortfall> RampedPasses(const Toolpath& toolpath,
                                          const std::vector<double>& depths, double slope,
                                          std::optional<double> tab_depth, bool compensated,
                                          const std::function<void(const RampMove&)>& move) {
  assert(slope > 0 && !toolpath.path.segments.empty());
  Passes passes(toolpath, slope, tab_depth, compensated, move);
  for (double depth : depths) passes.Pass(depth);
  return passes.Shortfall();
}

std::optional<RampShortfall> RampedTurn(const Toolpath& toolpath, double depth, double slope,
                                        std::optional<double> tab_depth,
                                        const std::function<void(const RampMove&)>& move) {
  assert(slope > 0 && !toolpath.path.segments.empty());
  Passes passes(toolpath, slope, tab_depth, false, move);
  passes.Turn(depth);
  return passes.Shortfall();
}

std::optional<RampShortfall> RampAlong(const Path& lead, double from_depth, double to_depth,
                                       double slope,
                                       const std::function<void(const RampMove&)>& move) {
  assert(slope > 0 && !lead.segments.empty());
  const Toolpath along{.path = lead, .tabs = {}};  // the walk refers to it
  Passes passes(along, slope, std::nullopt, false, move);
  passes.Lead(from_depth, to_depth);
  return passes.Shortfall();
}

double LeastRampRoom(double drop, double slope) {
  return std::max(kShortestRampPiece, drop / (kMostRampLegs * slope * (1 - kRampSlack)));
}

double LeastRampSlope(double drop, double room) {
  if (!(room >= kShortestRampPiece)) return std::numeric_limits<double>::infinity();
  return drop / (kMostRampLegs * room * (1 - kRampSlack));
}

}  // namespace toothwright
