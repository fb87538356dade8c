// Tab ends become split points: an arc is cut in two about its own centre, a line at the
// point along it, so the program keeps writing only arcs and straight moves.
#include "sprocket/toolpath.h"

#include <algorithm>
#include <cassert>
#include <utility>

#include "geometry/arc_length.h"
#include "sprocket/cutter_path.h"
#include "sprocket/numbers.h"
#include "sprocket/tabs.h"

namespace toothwright {
namespace {

struct Span {
  double begin = 0, end = 0;  // lengths along the path from its start
};

Point Rounded(Point p) {
  return {Round4(p.x), Round4(p.y)};
}

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
    const Point p = Rounded(PointAlong(s, at));
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

}  // namespace

Toolpath MakeToolpath(const Path& contour, const MachiningOptions& options) {
  return MakeToolpathFrom(
      options.tool_diameter ? CutterPath(contour, *options.tool_diameter).value() : contour,
      options);
}

Toolpath MakeToolpathFrom(Path followed, const MachiningOptions& options) {
  Toolpath out;
  out.path = std::move(followed);
  if (!options.tabs) return out;
  const std::vector<double> centres = TabCentres(out.path, options.tabs->count);
  if (centres.empty()) return out;
  double total = 0;
  for (const Segment& s : out.path.segments) total += SegmentLength(s);
  std::vector<Span> spans;
  for (double c : centres) {
    const double half = options.tabs->width / 2;
    spans.push_back({std::clamp(c - half, 0.0, total), std::clamp(c + half, 0.0, total)});
  }
  return SplitAtTabs(out.path, spans);
}

}  // namespace toothwright
