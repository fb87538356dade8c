// The entry circle touches the path at its start from the waste side, so the cutter runs onto
// the path without a corner; the exit continues round the same circle.
#include "sprocket/lead_in.h"

#include <algorithm>
#include <cmath>

#include "geometry/segment.h"
#include "numbers/numbers.h"
#include "sprocket/tabs.h"

namespace toothwright {

LeadArcs MakeLeadArcs(const Path& path, double radius, bool waste_right) {
  const Segment& first = path.segments.front();
  const Point s = first.start;
  const Point t = UnitTangent(first, s);
  // Towards the waste: the right of travel is (t.y, -t.x).
  const Point n = waste_right ? Point{t.y, -t.x} : Point{-t.y, t.x};
  const Point centre{s.x + radius * n.x, s.y + radius * n.y};
  // Travelling along t at s round a centre on the right is turning clockwise.
  const SegmentKind kind =
      waste_right ? SegmentKind::ClockwiseArc : SegmentKind::CounterClockwiseArc;
  const Point entry = Round4Unsigned({centre.x - radius * t.x, centre.y - radius * t.y});
  const Point exit = Round4Unsigned({centre.x + radius * t.x, centre.y + radius * t.y});
  const Segment in{.kind = kind,
                   .role = first.role,
                   .start = entry,
                   .end = s,
                   .centre = centre,
                   .radius = radius};
  Segment out = in;
  out.start = s;
  out.end = exit;
  return {in, out};
}

std::optional<int> EntryTooth(int N, const std::optional<HoldingTabs>& tabs) {
  if (!tabs) return 1;
  std::vector<bool> carries(static_cast<size_t>(N) + 1, false);
  for (int k = 0; k < tabs->count; ++k)
    carries[static_cast<size_t>(TabTooth(k, tabs->count, N))] = true;
  for (int tooth = 1; tooth <= N; ++tooth) {
    if (!carries[static_cast<size_t>(tooth)]) return tooth;
  }
  return std::nullopt;
}

bool LeadInFits(std::span<const Path> contours, double tool_diameter, double radius,
                const std::optional<HoldingTabs>& tabs) {
  for (const Path& contour : contours) {
    for (const Segment& s : contour.segments) {
      if (s.role == SegmentRole::Hole && IsArc(s) && !(s.radius - tool_diameter / 2 > radius)) {
        return false;
      }
    }
    const int N = HighestTooth(contour);
    if (N > 0 && !EntryTooth(N, tabs)) return false;
  }
  return true;
}

}  // namespace toothwright
