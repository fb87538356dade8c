// The centre offsets (I, J) an arc move is written with, chosen so that a controller that
// measures the arc's radius from both of its written ends accepts it.
#pragma once

#include "geometry/path.h"

namespace toothwright {

// The most an arc's radius measured from its written start may differ from the one measured
// from its written end, in millimetres: half of the 0.005 mm past which a strict controller
// (Grbl) refuses the arc and stops the job.
inline constexpr double kArcRadiusTolerance = 0.0025;
// Enough decimals for any arc the program writes: at eight the rounding of I and J moves the
// two radii apart by at most 1.5e-8 units, far inside the tolerance in either unit.
inline constexpr int kMostArcDecimals = 8;

struct ArcOffsets {
  double i = 0, j = 0;  // from the arc's written start to its written centre, rounded
  int decimals = 4;     // 4 .. kMostArcDecimals: the decimals i and j hold and are written with
};

// |radius from start - radius from end| in the part's unit, for an arc from start to end about
// start + (i, j).
double RadiusMismatch(Point start, Point end, double i, double j);

// The offsets of an arc whose ends are written as stored (four decimals): the centre on the
// perpendicular bisector of the two ends nearest the arc's stored centre (the stored centre
// itself for a whole circle), its offsets rounded to the fewest decimals from four up that keep
// RadiusMismatch within kArcRadiusTolerance. millimetres_per_unit: 1 for a millimetre program,
// 25.4 for an inch one. arc: an arc segment.
ArcOffsets TolerantOffsets(const Segment& arc, double millimetres_per_unit);

}  // namespace toothwright
