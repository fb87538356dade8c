// Tab ends become split points: an arc is cut in two about its own centre, a line at the
// point along it, so the program keeps writing only arcs and straight moves.
#include "sprocket/toolpath.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <limits>
#include <utility>

#include "geometry/reverse.h"
#include "geometry/segment.h"
#include "sprocket/cutter_path.h"
#include "sprocket/lead_in.h"
#include "sprocket/tabs.h"

namespace toothwright {
namespace {

struct Span {
  double begin = 0, end = 0;  // lengths along the path from its start
};

// Cuts s at the lengths `cuts` (ascending, within the segment) and appends the pieces. A cut
// whose rounded point is an end of the piece it falls in moves onto that end: a piece whose
// ends meet after rounding would be a full circle to a controller. Returns, for each cut, the
// index in out of the piece that starts there.
std::vector<size_t> AppendPieces(const Segment& s, const std::vector<double>& cuts,
                                 std::vector<Segment>& out) {
  std::vector<size_t> starts;
  Segment rest = s;
  bool at_end = false;  // a cut fell on the end: every later one does too
  for (double at : cuts) {
    const Point p = CutPoint(s, at);
    if (!at_end && p == rest.start) {
      starts.push_back(out.size());
      continue;
    }
    if (at_end || p == rest.end) {
      at_end = true;
      starts.push_back(out.size() + 1);
      continue;
    }
    Segment piece = rest;
    piece.end = p;
    out.push_back(piece);
    rest.start = p;
    starts.push_back(out.size());
  }
  out.push_back(rest);
  return starts;
}

Toolpath SplitAtTabs(const Path& path, const std::vector<Span>& spans) {
  // Every tab end, in order along the path, with which tab and which end it is.
  struct Cut {
    double at = 0;
    size_t tab = 0;
    bool begin = false;
  };
  std::vector<Cut> cuts;
  for (size_t t = 0; t < spans.size(); ++t) {
    cuts.push_back({spans[t].begin, t, true});
    cuts.push_back({spans[t].end, t, false});
  }
  Toolpath out;
  out.tabs.resize(spans.size());
  out.path.segments.reserve(path.segments.size() + cuts.size());
  size_t next = 0;
  double along = 0;
  for (const Segment& s : path.segments) {
    const double length = SegmentLength(s);
    std::vector<double> here;
    const size_t first = next;
    // The last segment takes every cut left over, so a cut at the path's very end is kept.
    const bool last = &s == &path.segments.back();
    while (next < cuts.size() && (cuts[next].at < along + length || last)) {
      here.push_back(std::clamp(cuts[next].at - along, 0.0, length));
      ++next;
    }
    const std::vector<size_t> starts = AppendPieces(s, here, out.path.segments);
    for (size_t k = 0; k < starts.size(); ++k) {
      TabRange& range = out.tabs[cuts[first + k].tab];
      (cuts[first + k].begin ? range.first : range.last) = starts[k];
    }
    along += length;
  }
  return out;
}

// Lengths along the path at which each segment starts.
std::vector<double> SegmentStarts(const Path& path) {
  std::vector<double> starts;
  starts.reserve(path.segments.size());
  double along = 0;
  for (const Segment& s : path.segments) {
    starts.push_back(along);
    along += SegmentLength(s);
  }
  return starts;
}

// The point `distance` to the right of segment s at `along` from its start: where the centre of
// a cutter running on that side touches s there.
Point ToTheRightAt(const Segment& s, double along, double distance) {
  const Point q = PointAlong(s, along);
  if (!IsArc(s)) {
    const Point t = UnitTangent(s, q);
    return {q.x + distance * t.y, q.y - distance * t.x};
  }
  // The right side of a counter-clockwise arc faces away from its centre.
  const double outwards = s.kind == SegmentKind::CounterClockwiseArc ? distance : -distance;
  const double rx = q.x - s.centre.x, ry = q.y - s.centre.y;
  const double r = std::hypot(rx, ry);
  return {q.x + outwards * rx / r, q.y + outwards * ry / r};
}

// Maps lengths along a sprocket's contour to lengths along the cutter's path made from it: the
// place of the cutter whose edge touches the contour there. The cutter's path keeps each
// segment's tooth, so only the segments of the same tooth and their neighbours are searched.
class ContourToCutterPath {
 public:
  ContourToCutterPath(const Path& contour, const std::vector<double>& contour_starts,
                      const Path& path, double radius)
      : contour_(contour),
        path_(path),
        radius_(radius),
        contour_starts_(contour_starts),
        path_starts_(SegmentStarts(path)) {
    for (size_t k = 0; k < path.segments.size(); ++k) {
      const size_t tooth = static_cast<size_t>(path.segments[k].tooth);
      if (tooth >= teeth_.size()) teeth_.resize(tooth + 1, {kNone, 0});
      teeth_[tooth].first = std::min(teeth_[tooth].first, k);
      teeth_[tooth].second = std::max(teeth_[tooth].second, k);
    }
  }

  double operator()(double at) const {
    const auto after = std::upper_bound(contour_starts_.begin(), contour_starts_.end(), at);
    const size_t k = static_cast<size_t>(after - contour_starts_.begin()) - 1;
    const Segment& s = contour_.segments[k];
    const Point touch =
        ToTheRightAt(s, std::clamp(at - contour_starts_[k], 0.0, SegmentLength(s)), radius_);
    const size_t n = path_.segments.size();
    const size_t tooth = static_cast<size_t>(s.tooth);
    const auto [first, last] = tooth < teeth_.size() && teeth_[tooth].first != kNone
                                   ? teeth_[tooth]
                                   : std::pair{size_t{0}, n - 1};
    double best = std::numeric_limits<double>::infinity(), where = 0;
    for (size_t j = first + n - 1; j <= last + n + 1; ++j) {
      const NearestOnSegment near = Nearest(path_.segments[j % n], touch);
      if (near.distance < best) {
        best = near.distance;
        where = path_starts_[j % n] + near.length;
      }
    }
    return where;
  }

 private:
  const Path& contour_;
  const Path& path_;
  double radius_;
  const std::vector<double>& contour_starts_;
  std::vector<double> path_starts_;
  // First and last segment of each tooth; first is kNone for a tooth the path lacks.
  static constexpr size_t kNone = std::numeric_limits<size_t>::max();
  std::vector<std::pair<size_t, size_t>> teeth_;
};

// The toolpath travelled the other way round from the same start; a tab over segments
// [first, last) of n lies over [n - last, n - first) after.
Toolpath ReversedToolpath(const Toolpath& toolpath) {
  Toolpath out{.path = Reversed(toolpath.path), .tabs = {}};
  const size_t n = toolpath.path.segments.size();
  for (auto tab = toolpath.tabs.rbegin(); tab != toolpath.tabs.rend(); ++tab) {
    out.tabs.push_back({n - tab->last, n - tab->first});
  }
  return out;
}

// The closed path from the point `at` along it round to the same point: the segment there is
// split at the point rounded to four decimals.
Path StartingAt(const Path& path, double at) {
  // Measured only up to the segment that holds the point, which lies near the path's start.
  size_t k = 0;
  double start = 0;
  for (double length = SegmentLength(path.segments[0]);
       start + length <= at && k + 1 < path.segments.size();
       length = SegmentLength(path.segments[++k])) {
    start += length;
  }
  const auto [before, after] = SplitAt(path.segments[k], at - start);
  Path out;
  out.segments.reserve(path.segments.size() + 1);
  if (!(after.start == after.end)) out.segments.push_back(after);
  out.segments.insert(out.segments.end(),
                      path.segments.begin() + static_cast<std::ptrdiff_t>(k) + 1,
                      path.segments.end());
  out.segments.insert(out.segments.end(), path.segments.begin(),
                      path.segments.begin() + static_cast<std::ptrdiff_t>(k));
  if (!(before.start == before.end)) out.segments.push_back(before);
  return out;
}

Toolpath WithTabs(const Path& contour, Path path, const MachiningOptions& options) {
  const std::vector<double> centres = TabCentres(contour, options.tabs->count);
  if (centres.empty()) return {.path = std::move(path), .tabs = {}};
  const std::vector<double> starts = SegmentStarts(contour);
  const double total = starts.back() + SegmentLength(contour.segments.back());
  std::vector<Span> spans;
  for (double c : centres) {
    const double half = options.tabs->width / 2;
    spans.push_back({std::clamp(c - half, 0.0, total), std::clamp(c + half, 0.0, total)});
  }
  if (options.tool_diameter) {
    const ContourToCutterPath on_path(contour, starts, path, *options.tool_diameter / 2);
    for (Span& span : spans) span = {on_path(span.begin), on_path(span.end)};
    // A path entered at another tooth than the first meets the tabs in another order.
    std::sort(spans.begin(), spans.end(),
              [](const Span& a, const Span& b) { return a.begin < b.begin; });
  }
  return SplitAtTabs(path, spans);
}

}  // namespace

Toolpath MakeToolpath(const Path& contour, const MachiningOptions& options) {
  return MakeToolpathAlong(
      contour,
      options.tool_diameter ? CutterPath(contour, *options.tool_diameter).value() : contour,
      options);
}

Toolpath MakeToolpathAlong(const Path& contour, Path path, const MachiningOptions& options) {
  if (options.lead_in) {
    // The outline is entered at a tip without a tab, where the waste outside is open.
    const int N = HighestTooth(path);
    const std::optional<int> tooth = N > 0 ? EntryTooth(N, options.tabs) : std::nullopt;
    if (const std::optional<double> middle = tooth ? ToothMiddle(path, *tooth) : std::nullopt) {
      path = StartingAt(path, *middle);
    }
  }
  Toolpath out = options.tabs ? WithTabs(contour, std::move(path), options)
                              : Toolpath{.path = std::move(path), .tabs = {}};
  if (options.direction == CutDirection::Climb) return ReversedToolpath(out);
  return out;
}

}  // namespace toothwright
