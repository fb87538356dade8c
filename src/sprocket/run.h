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

// The chain and the tooth form as numbers, in the current length unit.
struct ToothNumbers {
  double pitch = 0;                   // > 0
  double roller = 0;                  // > 0 and below the pitch
  int teeth = 0;                      // 4 .. kMaxTeeth
  double SeatRadius = 0;              // the roller radius plus any seat clearance
  std::optional<double> TopDiameter;  // set when the teeth are topped
  bool operator==(const ToothNumbers&) const = default;
};

// What the sprocket part of a run yields.
struct SprocketRun {
  std::string pitch_diameter_text;    // for txtPitchDiameter
  double ToothAngle = 0;              // degrees
  double RollerRadius = 0;            // half the roller diameter
  double SeatRadius = 0;              // the roller radius plus any seat clearance
  double FlankRadius = 0;             // the pitch less the seat radius
  std::optional<double> TopDiameter;  // set when the teeth are topped
  int N = 0;                          // the tooth count
  ToothProfile profile;
  Path outline;                       // the profile's teeth as one closed path in cutting order
  Mounting mounting;                  // bore, keyway and bolt circle as the fields give them
  std::vector<Path> holes;            // the mounting's holes in cutting order (BuildHoles)
  std::string outside_diameter_text;  // for txtOutsideDiameter
};

// The pitch diameter as the run shows it: pitch / sin(180 deg / teeth) by FormatReal, empty
// when it is not finite.
std::string PitchDiameterText(double pitch, int teeth);

// The sprocket of numbers that passed the checks, without its mounting and holes.
SprocketRun BuildSprocket(const ToothNumbers& numbers);

}  // namespace toothwright
