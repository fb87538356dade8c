// Each tooth's arcs take their end points and centres straight from the profile's stored
// four-decimal points, so every output computes from the same numbers.
#include "sprocket/outline.h"

#include <cassert>
#include <cstddef>

#include "numbers/numbers.h"

namespace toothwright {
namespace {

Point At(const std::vector<double>& xs, const std::vector<double>& ys, int i) {
  const auto k = static_cast<size_t>(i);
  return {xs[k], ys[k]};
}

struct ToothPoints {
  Point roller, next_roller, flank_start, tip, flank_end, next_flank_start;
  bool topped = false;
  Point top_start, top_end;
};

ToothPoints PointsOf(const ToothProfile& p, int i, int j) {
  ToothPoints t;
  t.roller = At(p.RollerX, p.RollerY, i);
  t.next_roller = At(p.RollerX, p.RollerY, j);
  t.flank_start = At(p.FlankStartX, p.FlankStartY, i);
  t.tip = At(p.TipX, p.TipY, i);
  t.flank_end = At(p.FlankEndX, p.FlankEndY, i);
  t.next_flank_start = At(p.FlankStartX, p.FlankStartY, j);
  t.topped = !p.TopStartX.empty();
  if (t.topped) {
    t.top_start = At(p.TopStartX, p.TopStartY, i);
    t.top_end = At(p.TopEndX, p.TopEndY, i);
  }
  return t;
}

void AppendTooth(std::vector<Segment>& out, const ToothPoints& t, int i, const OutlineRadii& r) {
  using enum SegmentKind;
  using enum SegmentRole;
  const Point first_flank_end = t.topped ? t.top_start : t.tip;
  const Point second_flank_start = t.topped ? t.top_end : t.tip;
  out.push_back(
      {CounterClockwiseArc, Flank, t.flank_start, first_flank_end, t.next_roller, r.flank, i});
  if (t.topped) {
    out.push_back({CounterClockwiseArc, Top, t.top_start, t.top_end, Point{}, r.top, i});
  }
  out.push_back(
      {CounterClockwiseArc, Flank, second_flank_start, t.flank_end, t.roller, r.flank, i});
  out.push_back({ClockwiseArc, Seat, t.flank_end, t.next_flank_start, t.next_roller, r.seat, i});
}

}  // namespace

Path BuildOutline(const ToothProfile& profile, double T, int N, const OutlineRadii& radii) {
  assert(N >= 1 && profile.RollerX.size() > static_cast<size_t>(N));
  assert(T - 1 < N);  // the next roller i + 1 stays within the profile
  Path path;
  const bool topped = !profile.TopStartX.empty();
  path.segments.reserve(static_cast<size_t>(N) * (topped ? 4 : 3));
  const double last_in_loop = T - 1;
  for (int i = 1; i <= last_in_loop; ++i) {
    AppendTooth(path.segments, PointsOf(profile, i, i + 1), i, radii);
  }
  AppendTooth(path.segments, PointsOf(profile, N, 1), N, radii);
  return path;
}

Path UnroundedTooth(const ToothForm& form, double ToothAngle, int i, const OutlineRadii& radii) {
  const TurnedTooth tooth = TurnTooth(form, ToothAngle, i);
  const TurnedTooth next = TurnTooth(form, ToothAngle, i + 1);
  const ToothPoints points{.roller = tooth.roller,
                           .next_roller = next.roller,
                           .flank_start = tooth.flank_start,
                           .tip = tooth.tip,
                           .flank_end = tooth.flank_end,
                           .next_flank_start = next.flank_start,
                           .topped = form.TopRadius.has_value(),
                           .top_start = tooth.top_start,
                           .top_end = tooth.top_end};
  Path path;
  AppendTooth(path.segments, points, i, radii);
  return path;
}

bool HasUnwritableArc(const Path& path) {
  for (const Segment& s : path.segments) {
    if (!IsArc(s)) continue;
    const bool no_radius =
        Round4(s.centre.x - s.start.x) == 0 && Round4(s.centre.y - s.start.y) == 0;
    if (s.start == s.end || no_radius) return true;
  }
  return false;
}

}  // namespace toothwright
