// Construction of the tooth outline. Only tooth 1 is built with intersections; every other
// tooth is tooth 1 turned about the centre, computed directly from tooth 1's polar form so
// that no rotation error accumulates.
#include "sprocket/tooth_profile.h"

#include <cassert>
#include <cmath>
#include <tuple>
#include <utility>

#include "geometry/angles.h"
#include "geometry/intersections.h"
#include "numbers/numbers.h"

namespace toothwright {

FirstTooth ConstructFirstTooth(double PitchDiameter, double ToothAngle, double RollerRadius,
                               double FlankRadius) {
  FirstTooth t;
  t.RollerX1 = Round4(PitchDiameter / 2 * std::cos(DegToRad(ToothAngle)));
  t.RollerY1 = Round4(PitchDiameter / 2 * std::sin(DegToRad(ToothAngle)));
  t.RollerX2 = Round4(PitchDiameter / 2 * std::cos(DegToRad(ToothAngle + ToothAngle)));
  t.RollerY2 = Round4(PitchDiameter / 2 * std::sin(DegToRad(ToothAngle + ToothAngle)));
  t.PitchRadius = ZeroLineDistance(t.RollerX1, t.RollerY1);

  // The line through rollers 1 and 2 crosses roller 1's seat facing roller 2 at its smaller-x
  // point (roller 2 always lies at a smaller x), and roller 2's seat facing roller 1 at its
  // larger-x point.
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  LineCircle(t.RollerX1, t.RollerY1, t.RollerX2, t.RollerY2, t.RollerX1, t.RollerY1, RollerRadius,
             X1, Y1, X2, Y2);
  t.FlankStartX = Round4(X2);
  t.FlankStartY = Round4(Y2);
  LineCircle(t.RollerX1, t.RollerY1, t.RollerX2, t.RollerY2, t.RollerX2, t.RollerY2, RollerRadius,
             X1, Y1, X2, Y2);
  t.FlankEndX = Round4(X1);
  t.FlankEndY = Round4(Y1);

  // The flank circles meet in two points on the bisector of the two centres; the one with
  // the larger |x| lies farther from the origin and is the tip. A tie (the bisector is the
  // y axis, 6 teeth) goes to the primed point, there the outer one. When the circles do not
  // meet the outputs keep the line-circle points; callers refuse that through flanks_meet.
  t.flanks_meet = circle_circle_intersection(t.RollerX1, t.RollerY1, FlankRadius, t.RollerX2,
                                             t.RollerY2, FlankRadius, X1, Y1, X2, Y2) == 1;
  const bool primed = std::fabs(X2) >= std::fabs(X1);
  t.TipX = Round4(primed ? X2 : X1);
  t.TipY = Round4(primed ? Y2 : Y1);

  const double a0 = Atan2(t.RollerX1, t.RollerY1);
  t.FlankStartAngle = Atan2(t.FlankStartX, t.FlankStartY) - a0;
  t.TipAngle = Atan2(t.TipX, t.TipY) - a0;
  t.FlankEndAngle = Atan2(t.FlankEndX, t.FlankEndY) - a0;
  t.FlankStartRadius = ZeroLineDistance(t.FlankStartX, t.FlankStartY);
  t.TipRadius = ZeroLineDistance(t.TipX, t.TipY);
  t.FlankEndRadius = ZeroLineDistance(t.FlankEndX, t.FlankEndY);
  return t;
}

namespace {

// Four decimals per coordinate, like every stored point, but never outside the circle of
// radius limit about the centre: the top circle is the largest the part may be. Of the grid
// points round (x, y), the nearest that lies within the circle; rounding both coordinates
// towards zero always gives one.
std::pair<double, double> RoundWithin(double x, double y, double limit) {
  const double rx = Round4(x), ry = Round4(y);
  if (std::hypot(rx, ry) <= limit) return {rx, ry};
  std::pair<double, double> best{std::trunc(x * 1e4) / 1e4, std::trunc(y * 1e4) / 1e4};
  double best_distance = std::hypot(best.first - x, best.second - y);
  for (double cx : {std::floor(x * 1e4) / 1e4, std::ceil(x * 1e4) / 1e4}) {
    for (double cy : {std::floor(y * 1e4) / 1e4, std::ceil(y * 1e4) / 1e4}) {
      const double distance = std::hypot(cx - x, cy - y);
      if (std::hypot(cx, cy) <= limit && distance < best_distance) {
        best = {cx, cy};
        best_distance = distance;
      }
    }
  }
  return best;
}

// The meeting point, nearer the tip, of the flank circle about (cx, cy) and the top circle.
std::pair<double, double> TopPoint(const FirstTooth& t, double cx, double cy, double FlankRadius,
                                   double TopRadius) {
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  circle_circle_intersection(cx, cy, FlankRadius, 0, 0, TopRadius, X1, Y1, X2, Y2);
  const bool first = std::hypot(X1 - t.TipX, Y1 - t.TipY) <= std::hypot(X2 - t.TipX, Y2 - t.TipY);
  return first ? std::pair{X1, Y1} : std::pair{X2, Y2};
}

// The point at `angle` past direction a, `radius` from the centre.
Point Polar(double a, double angle, double radius) {
  return {std::cos(a + angle) * radius, std::sin(a + angle) * radius};
}

}  // namespace

TurnedTooth TurnTooth(const ToothForm& form, double ToothAngle, int i) {
  const FirstTooth& t = form.first;
  const double a = i * DegToRad(ToothAngle);
  TurnedTooth turned;
  turned.roller = Polar(a, 0, t.PitchRadius);
  turned.flank_start = Polar(a, t.FlankStartAngle, t.FlankStartRadius);
  turned.tip = Polar(a, t.TipAngle, t.TipRadius);
  turned.flank_end = Polar(a, t.FlankEndAngle, t.FlankEndRadius);
  if (form.TopRadius) {
    turned.top_start = Polar(a, form.TopStartAngle, *form.TopRadius);
    turned.top_end = Polar(a, form.TopEndAngle, *form.TopRadius);
  }
  return turned;
}

ToothProfileResult BuildToothProfile(double pitch_diameter, double T, int N, double ToothAngle,
                                     double RollerRadius, double FlankRadius,
                                     std::optional<double> TopRadius) {
  assert(N >= 1);
  ToothProfileResult result;
  ToothForm& form = result.form;
  form.first = ConstructFirstTooth(pitch_diameter, ToothAngle, RollerRadius, FlankRadius);
  const FirstTooth& t = form.first;
  if (TopRadius) {
    // The top points' directions come from the exact meeting points of tooth 1's flanks with
    // the top circle.
    form.TopRadius = TopRadius;
    const auto [start_x, start_y] = TopPoint(t, t.RollerX2, t.RollerY2, FlankRadius, *TopRadius);
    const auto [end_x, end_y] = TopPoint(t, t.RollerX1, t.RollerY1, FlankRadius, *TopRadius);
    const double a0 = Atan2(t.RollerX1, t.RollerY1);
    form.TopStartAngle = Atan2(start_x, start_y) - a0;
    form.TopEndAngle = Atan2(end_x, end_y) - a0;
  }

  ToothProfile& p = result.profile;
  const size_t size = static_cast<size_t>(N) + 1;
  for (auto* array : {&p.RollerX, &p.RollerY, &p.FlankStartX, &p.FlankStartY, &p.TipX, &p.TipY,
                      &p.FlankEndX, &p.FlankEndY}) {
    array->assign(size, 0.0);
  }
  if (TopRadius) {
    for (auto* array : {&p.TopStartX, &p.TopStartY, &p.TopEndX, &p.TopEndY}) {
      array->assign(size, 0.0);
    }
  }
  p.RollerX[1] = t.RollerX1;
  p.RollerY[1] = t.RollerY1;
  if (N >= 2) {
    p.RollerX[2] = t.RollerX2;
    p.RollerY[2] = t.RollerY2;
  }
  p.FlankStartX[1] = t.FlankStartX;
  p.FlankStartY[1] = t.FlankStartY;
  p.TipX[1] = t.TipX;
  p.TipY[1] = t.TipY;
  p.FlankEndX[1] = t.FlankEndX;
  p.FlankEndY[1] = t.FlankEndY;
  result.outside_diameter = t.TipRadius * 2;

  for (int i = 1; i <= T && i <= N; ++i) {
    const TurnedTooth turned = TurnTooth(form, ToothAngle, i);
    const size_t k = static_cast<size_t>(i);
    // Four decimals, but never outside the top circle.
    if (TopRadius) {
      std::tie(p.TopStartX[k], p.TopStartY[k]) =
          RoundWithin(turned.top_start.x, turned.top_start.y, *TopRadius);
      std::tie(p.TopEndX[k], p.TopEndY[k]) =
          RoundWithin(turned.top_end.x, turned.top_end.y, *TopRadius);
    }
    if (i == 1) continue;  // tooth 1 is stored as constructed
    p.RollerX[k] = Round4(turned.roller.x);
    p.RollerY[k] = Round4(turned.roller.y);
    p.FlankStartX[k] = Round4(turned.flank_start.x);
    p.FlankStartY[k] = Round4(turned.flank_start.y);
    p.TipX[k] = Round4(turned.tip.x);
    p.TipY[k] = Round4(turned.tip.y);
    p.FlankEndX[k] = Round4(turned.flank_end.x);
    p.FlankEndY[k] = Round4(turned.flank_end.y);
  }
  return result;
}

}  // namespace toothwright
