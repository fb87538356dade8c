// The fields of the part as a solid: its thickness, a hub, the rows of teeth and the mesh
// tolerance, read into typed values and checked against the room the sprocket leaves them.
// Lengths are in the current unit.
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "numbers/units.h"
#include "sprocket/chain_sizes.h"
#include "sprocket/fields.h"
#include "sprocket/mounting.h"

namespace toothwright {

inline constexpr int kMaxStrands = 8;
// The mesh's default chord tolerance: 0.0004 in, or 0.01 mm under a metric unit.
inline constexpr double kDefaultMeshToleranceInches = 0.0004;
inline constexpr double kDefaultMeshToleranceMillimetres = 0.01;

// A cylinder about the part's centre on one side, bored through with the bore and keyway.
struct Hub {
  double diameter = 0;  // > 0
  double length = 0;    // > 0, from the part's side outwards
  bool operator==(const Hub&) const = default;
};

// The solid fields read.
struct SolidOptions {
  std::optional<double> thickness;  // one row's tooth width, > 0; none when the field is blank
  std::optional<Hub> hub;           // none when both hub fields are blank
  int strands = 1;                  // 1 .. kMaxStrands
  double transverse_pitch = 0;      // between the rows' mid-planes; set when strands > 1
  double mesh_tolerance = 0;        // the chord tolerance, > 0
  bool operator==(const SolidOptions&) const = default;
};

// What the fields are judged against.
struct SolidRoom {
  std::optional<ChainSize> chain;      // the table row the chain is; none for a custom chain
  LengthUnit unit = LengthUnit::Inch;  // of every length here and in the fields
  double pitch = 0;
  int teeth = 0;
  double wall_radius = 0;  // the seats' innermost circle less the wall (WallRadius)
  double bore_reach = 0;   // from the centre to the bore's (or keyway's) farthest point; 0: none
  bool keyway = false;     // the bore has a keyway
  std::optional<BoltCircle> bolt_circle;
};

// The solid fields read in the order thickness, hub diameter, hub length, strands, mesh
// tolerance, or the first that fails. A blank field is off (strands 1, the default tolerance).
// - thickness: a length above 0 and below 1e14, or "ANSI" for the chain standard's width for
//   the number of strands (StandardToothWidth; refused for a custom chain or a row without an
//   inner width); blank is no thickness.
// - hub: both fields or neither; the diameter must exceed twice the bore's reach, be no more
//   than twice the wall radius, and keep the hub clear of the bolt holes; the length above 0
//   and below 1e14.
// - strands: a whole number from 1 to kMaxStrands; several need a chain with a transverse
//   pitch above the thickness, and a body between the rows (WebRadius) wider than the bore's
//   reach.
// - mesh tolerance: a length of at least 0.0001 mm and below a tenth of the pitch.
std::variant<SolidOptions, FieldError> ReadSolidFields(const FieldTexts& texts,
                                                       const SolidRoom& room);

// The radius of the body that joins rows of teeth: PlateClearanceDiameter's half, but no more
// than the wall radius (WallRadius). Lengths in unit.
double WebRadius(double pitch, int teeth, double wall_radius, LengthUnit unit);

}  // namespace toothwright
