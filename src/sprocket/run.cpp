// The derived dimensions and the outline of a sprocket whose numbers passed the checks.
#include "sprocket/run.h"

#include <cmath>
#include <utility>

#include "geometry/angles.h"
#include "numbers/numbers.h"
#include "sprocket/outline.h"

namespace toothwright {

std::string PitchDiameterText(double pitch, int teeth) {
  const double s = std::sin(DegToRad(180 / static_cast<double>(teeth)));
  const double diameter = pitch / s;
  return std::isfinite(diameter) ? FormatReal(diameter) : std::string();
}

SprocketRun BuildSprocket(const ToothNumbers& n) {
  SprocketRun run;
  const double T = n.teeth;
  run.N = n.teeth;
  run.pitch_diameter_text = PitchDiameterText(n.pitch, n.teeth);
  run.ToothAngle = 360 / T;
  run.RollerRadius = n.roller / 2;
  run.SeatRadius = n.SeatRadius;
  run.FlankRadius = n.pitch - run.SeatRadius;
  run.TopDiameter = n.TopDiameter;
  std::optional<double> TopRadius;
  if (run.TopDiameter) TopRadius = *run.TopDiameter / 2;
  ToothProfileResult profile = BuildToothProfile(run.pitch_diameter_text, T, run.N, run.ToothAngle,
                                                 run.SeatRadius, run.FlankRadius, TopRadius);
  run.profile = std::move(profile.profile);
  run.outline = BuildOutline(
      run.profile, T, run.N,
      {.flank = run.FlankRadius, .seat = run.SeatRadius, .top = TopRadius.value_or(0)});
  run.outside_diameter_text =
      run.TopDiameter ? FormatReal(*run.TopDiameter) : std::move(profile.outside_diameter_text);
  return run;
}

}  // namespace toothwright
