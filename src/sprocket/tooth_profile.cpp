// Construction of the tooth outline. Only tooth 1 is built with intersections; every other
// tooth is tooth 1 turned about the centre, computed directly from tooth 1's polar form so
// that no rotation error accumulates.
#include "sprocket/tooth_profile.h"

#include <cassert>
#include <cmath>

#include "geometry/angles.h"
#include "geometry/intersections.h"
#include "sprocket/numbers.h"

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

ToothProfileResult BuildToothProfile(const std::string& pitch_diameter_text, double T, int N,
                                     double ToothAngle, double RollerRadius, double FlankRadius) {
  assert(N >= 1);
  const std::optional<double> pitch_diameter = ParseReal(pitch_diameter_text);
  assert(pitch_diameter);
  const FirstTooth t = ConstructFirstTooth(*pitch_diameter, ToothAngle, RollerRadius, FlankRadius);

  ToothProfileResult result;
  ToothProfile& p = result.profile;
  const size_t size = static_cast<size_t>(N) + 1;
  for (auto* array : {&p.RollerX, &p.RollerY, &p.FlankStartX, &p.FlankStartY, &p.TipX, &p.TipY,
                      &p.FlankEndX, &p.FlankEndY}) {
    array->assign(size, 0.0);
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
  result.outside_diameter_text = FormatReal(t.TipRadius * 2);

  const double step = DegToRad(ToothAngle);
  for (int i = 2; i <= T && i <= N; ++i) {
    const double a = i * step;
    const size_t k = static_cast<size_t>(i);
    p.RollerX[k] = Round4(std::cos(a) * t.PitchRadius);
    p.RollerY[k] = Round4(std::sin(a) * t.PitchRadius);
    p.FlankStartX[k] = Round4(std::cos(a + t.FlankStartAngle) * t.FlankStartRadius);
    p.FlankStartY[k] = Round4(std::sin(a + t.FlankStartAngle) * t.FlankStartRadius);
    p.TipX[k] = Round4(std::cos(a + t.TipAngle) * t.TipRadius);
    p.TipY[k] = Round4(std::sin(a + t.TipAngle) * t.TipRadius);
    p.FlankEndX[k] = Round4(std::cos(a + t.FlankEndAngle) * t.FlankEndRadius);
    p.FlankEndY[k] = Round4(std::sin(a + t.FlankEndAngle) * t.FlankEndRadius);
  }
  return result;
}

}  // namespace toothwright
