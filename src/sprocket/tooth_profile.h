// The tooth profile: four points per tooth of an all-arc roller-chain sprocket outline.
// The sprocket centre is the origin, y points up, angles run counter-clockwise from +X;
// roller centre i lies at i * ToothAngle. Every stored coordinate is rounded to 4 decimals.
#pragma once

#include <optional>
#include <vector>

#include "geometry/path.h"

namespace toothwright {

// Eight arrays indexed 0..N; element 0 is never written and stays 0.
struct ToothProfile {
  std::vector<double> RollerX, RollerY;          // centre of roller seat i
  std::vector<double> FlankStartX, FlankStartY;  // seat i ends, first flank of tooth i begins
  std::vector<double> TipX, TipY;                // tip of tooth i
  std::vector<double> FlankEndX, FlankEndY;      // second flank of tooth i meets seat i + 1
  // Topped teeth only (empty otherwise): where the first flank of tooth i meets the top
  // circle, and where the top circle meets its second flank.
  std::vector<double> TopStartX, TopStartY;
  std::vector<double> TopEndX, TopEndY;
};

// Tooth 1 in polar form relative to roller 1, as measured on its rounded points.
struct FirstTooth {
  double RollerX1 = 0, RollerY1 = 0;  // roller 1, rounded
  double RollerX2 = 0, RollerY2 = 0;  // roller 2 from the pitch diameter, rounded
  double FlankStartX = 0, FlankStartY = 0, TipX = 0, TipY = 0, FlankEndX = 0, FlankEndY = 0;
  double PitchRadius = 0;
  double FlankStartRadius = 0, FlankStartAngle = 0;  // angles in radians
  double TipRadius = 0, TipAngle = 0;
  double FlankEndRadius = 0, FlankEndAngle = 0;
  bool flanks_meet = false;  // false: the flank circles do not meet and there is no real tip
};

// Constructs tooth 1 from the pitch diameter (as read back from its text), the tooth angle
// (degrees), the roller radius and the flank radius, all lengths in one unit.
FirstTooth ConstructFirstTooth(double PitchDiameter, double ToothAngle, double RollerRadius,
                               double FlankRadius);

// Tooth 1's form, from which the profile turns every tooth: its construction and, for topped
// teeth, the directions of its exact top points (before rounding) relative to roller 1.
struct ToothForm {
  FirstTooth first;
  std::optional<double> TopRadius;            // set when the teeth are topped
  double TopStartAngle = 0, TopEndAngle = 0;  // radians; topped teeth only
};

// Tooth i (i >= 1) turned from tooth 1's form through i tooth angles (ToothAngle, degrees), its
// points before rounding. The profile stores them rounded to four decimals: every tooth's top
// points (within the top circle), the other points from tooth 2 on; tooth 1's other points and
// roller 1 are its construction's, up to 1e-4 from these.
struct TurnedTooth {
  Point roller;                       // roller i's centre, on the circle through roller 1
  Point flank_start, tip, flank_end;  // as in ToothProfile
  Point top_start, top_end;           // topped teeth only
};
TurnedTooth TurnTooth(const ToothForm& form, double ToothAngle, int i);

struct ToothProfileResult {
  ToothProfile profile;
  ToothForm form;               // what the profile's teeth were turned from
  double outside_diameter = 0;  // the tips' circle: twice the tip radius
};

// Builds the whole profile: tooth 1 by construction, teeth 2.. while i <= T by turning tooth 1
// through i * ToothAngle. pitch_diameter is the pitch diameter as the run shows it
// (ShownPitchDiameter); N >= 1 is the top index, T the real tooth count. RollerRadius is the radius
// of the seats. With a TopRadius the teeth are topped: the top points are where each tooth's flanks
// meet the top circle (the meeting points nearer the tip); the caller keeps TopRadius between the
// radius of the flank starts and that of the tip, so that both exist.
ToothProfileResult BuildToothProfile(double pitch_diameter, double T, int N, double ToothAngle,
                                     double RollerRadius, double FlankRadius,
                                     std::optional<double> TopRadius = std::nullopt);

}  // namespace toothwright
