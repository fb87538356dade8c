// How the part goes on its shaft: a bore about the centre, a keyway in the bore's edge and a
// circle of bolt holes. Lengths are in the current unit, the part's centre at the origin, y up.
#pragma once

#include <optional>

namespace toothwright {

// A rectangular slot in the bore's edge, centred on +Y; its far side lies at bore / 2 + depth
// from the centre.
struct Keyway {
  double width = 0;  // > 0 and below the bore diameter
  double depth = 0;  // > 0, from the bore's edge on +Y to the far side
  bool operator==(const Keyway&) const = default;
};

// count holes evenly spaced on a circle about the centre, the first on +X.
struct BoltCircle {
  int count = 0;             // 1 .. kMaxBoltHoles
  double hole_diameter = 0;  // > 0
  double diameter = 0;       // > 0, of the circle through the holes' centres
  bool operator==(const BoltCircle&) const = default;
};

struct Mounting {
  std::optional<double> bore;             // diameter, > 0; none when the field is empty
  std::optional<Keyway> keyway;           // only with a bore
  std::optional<BoltCircle> bolt_circle;  // none when all three bolt fields are empty
  bool operator==(const Mounting&) const = default;
};

// More holes than this make no bolt circle; the bound keeps the outputs' size in reach.
inline constexpr int kMaxBoltHoles = 1000;

}  // namespace toothwright
