// The derived dimensions and the outline of a sprocket whose numbers passed the checks.
#include "sprocket/run.h"

#include <cmath>
#include <utility>

#include "geometry/angles.h"
#include "numbers/numbers.h"
#include "sprocket/outline.h"

namespace toothwright {

std::optional<double> ShownPitchDiameter(double pitch, int teeth) {
  const double s = std::sin(DegToRad(180 / static_cast<double>(teeth)));
  const double diameter = pitch / s;
  if (!std::isfinite(diameter)) return std::nullopt;
  return ParseReal(FormatReal(diameter));
}

double WallRadius(double pitch_diameter, double SeatRadius, double pitch) {
  return pitch_diameter / 2 - SeatRadius - kWallShareOfPitch * pitch;
}

namespace {

OutlineRadii RadiiOf(const SprocketRun& run) {
  return {.flank = run.FlankRadius,
          .seat = run.SeatRadius,
          .top = run.TopDiameter ? *run.TopDiameter / 2 : 0};
}

}  // namespace

SprocketRun BuildSprocket(const ToothNumbers& n) {
  SprocketRun run;
  const double T = n.teeth;
  run.N = n.teeth;
  run.pitch_diameter = n.pitch_diameter;
  run.pitch_diameter_text = FormatReal(n.pitch_diameter);
  run.ToothAngle = 360 / T;
  run.RollerRadius = n.roller / 2;
  run.SeatRadius = n.SeatRadius;
  run.FlankRadius = n.pitch - run.SeatRadius;
  run.TopDiameter = n.TopDiameter;
  std::optional<double> TopRadius;
  if (run.TopDiameter) TopRadius = *run.TopDiameter / 2;
  ToothProfileResult profile = BuildToothProfile(run.pitch_diameter, T, run.N, run.ToothAngle,
                                                 run.SeatRadius, run.FlankRadius, TopRadius);
  run.profile = std::move(profile.profile);
  run.form = profile.form;
  run.outline = BuildOutline(run.profile, T, run.N, RadiiOf(run));
  // Shown as text once, and carried as the number that text reads back as, so that the preview's
  // scale agrees with what the field shows.
  run.outside_diameter_text = FormatReal(run.TopDiameter.value_or(profile.outside_diameter));
  run.outside_diameter = ParseReal(run.outside_diameter_text).value_or(0);
  return run;
}

Path UnroundedTooth(const SprocketRun& run, int i) {
  return UnroundedTooth(run.form, run.ToothAngle, i, RadiiOf(run));
}

}  // namespace toothwright
