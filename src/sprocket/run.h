// The sprocket a design describes: its derived dimensions, the tooth profile, the outline and
// the holes, built once from numbers that have passed the design's checks.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "geometry/path.h"
#include "sprocket/mounting.h"
#include "sprocket/tooth_profile.h"

namespace toothwright {

// The largest tooth count a design accepts.
inline constexpr int kMaxTeeth = 10000;

// The wall left between the roller seats and whatever lies inside them (the holes, a hub, the
// body between rows of teeth), as a share of the pitch.
inline constexpr double kWallShareOfPitch = 0.1;

// The chain and the tooth form as numbers, in the current length unit.
struct ToothNumbers {
  double pitch = 0;                   // > 0
  double roller = 0;                  // > 0 and below the pitch
  int teeth = 0;                      // 4 .. kMaxTeeth
  double pitch_diameter = 0;          // as the run shows it (ShownPitchDiameter)
  double SeatRadius = 0;              // the roller radius plus any seat clearance
  double wall_radius = 0;             // what lies inside the seats stays within it (WallRadius)
  std::optional<double> TopDiameter;  // set when the teeth are topped
  bool operator==(const ToothNumbers&) const = default;
};

// What the sprocket part of a run yields.
struct SprocketRun {
  double pitch_diameter = 0;          // as the run shows it (ShownPitchDiameter)
  std::string pitch_diameter_text;    // for txtPitchDiameter
  double ToothAngle = 0;              // degrees
  double RollerRadius = 0;            // half the roller diameter
  double SeatRadius = 0;              // the roller radius plus any seat clearance
  double FlankRadius = 0;             // the pitch less the seat radius
  std::optional<double> TopDiameter;  // set when the teeth are topped
  int N = 0;                          // the tooth count
  ToothProfile profile;
  ToothForm form;                     // tooth 1's form, from which the profile's teeth are turned
  Path outline;                       // the profile's teeth as one closed path in cutting order
  Mounting mounting;                  // bore, keyway and bolt circle as the fields give them
  std::vector<Path> holes;            // the mounting's holes in cutting order (BuildHoles)
  std::string outside_diameter_text;  // for txtOutsideDiameter
  double outside_diameter = 0;        // as its text reads back, for the preview's scale
};

// The pitch diameter pitch / sin(180 deg / teeth) as the run shows it: the number its text
// (FormatReal, 15 significant digits) reads back as, so that every size built on it agrees with
// the text. nullopt when it is not finite or its text lies beyond a double.
std::optional<double> ShownPitchDiameter(double pitch, int teeth);

// The radius that the holes, a hub and the body between rows of teeth stay within: the circle
// through the seats' innermost points (seats of SeatRadius about roller centres on the pitch
// circle) less the wall, kWallShareOfPitch * pitch. Lengths in one unit.
double WallRadius(double pitch_diameter, double SeatRadius, double pitch);

// The sprocket of numbers that passed the checks, without its mounting and holes.
SprocketRun BuildSprocket(const ToothNumbers& numbers);

// Tooth i (1..N) of the run's outline before its points were rounded (UnroundedTooth).
Path UnroundedTooth(const SprocketRun& run, int i);

}  // namespace toothwright
