// Positions along a move come from the move's own segment (Across), so a mark lies on the
// path drawn, arcs included.
#include "output/toolpath_marks.h"

#include <cmath>

#include "geometry/segment.h"

namespace toothwright {
Point DirectionAlong(const Move& move, double along) {
  const Segment s = Across(move);
  return UnitTangent(s, IsArc(s) ? PointAlong(s, along) : s.start);
}

std::optional<PathMark> EntryMark(std::span<const Move> moves, const ContourCut& contour) {
  if (!contour.first_across) return std::nullopt;
  return PathMark{moves[contour.entry].start, DirectionAlong(moves[*contour.first_across], 0)};
}

std::optional<PathMark> TabMark(std::span<const Move> moves, const ContourCut& contour,
                                const TabCrossing& tab) {
  double total = 0;
  for (size_t k = tab.rise; k <= tab.fall; ++k) total += SegmentLength(Across(moves[k]));
  if (total > 0) {
    double left = total / 2;
    for (size_t k = tab.rise; k <= tab.fall; ++k) {
      const double length = SegmentLength(Across(moves[k]));
      if (length > 0 && (left <= length || k == tab.fall)) {
        const double along = std::fmin(left, length);
        return PathMark{PointAlong(Across(moves[k]), along), DirectionAlong(moves[k], along)};
      }
      left -= length;
    }
  }
  // Crossed on the spot: the way the path goes on from here, or came.
  for (size_t k = tab.fall; k < contour.last; ++k) {
    if (CutsAcross(moves[k])) return PathMark{moves[tab.fall].end, DirectionAlong(moves[k], 0)};
  }
  for (size_t k = tab.rise; k-- > contour.first;) {
    if (CutsAcross(moves[k])) {
      return PathMark{moves[tab.rise].start,
                      DirectionAlong(moves[k], SegmentLength(Across(moves[k])))};
    }
  }
  return std::nullopt;
}

std::array<Point, 2> ArrowHead(Point d) {
  constexpr double kCos30 = 0.8660254037844386, kSin30 = 0.5;
  std::array<Point, 2> strokes;
  for (size_t k = 0; k < strokes.size(); ++k) {
    const double side = k == 0 ? 1.0 : -1.0;
    strokes[k] = {-d.x * kCos30 - side * d.y * kSin30, -d.y * kCos30 + side * d.x * kSin30};
  }
  return strokes;
}

}  // namespace toothwright
