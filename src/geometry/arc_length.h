// Lengths along a path and points at a given length: what holding tabs are measured in.
#pragma once

#include "geometry/path.h"

namespace toothwright {

// Length of the segment as it is travelled, in the path's unit: a line's chord, an arc's radius
// (its stored one) times its sweep in (0, 2*pi]. An arc whose ends coincide is a full circle.
double SegmentLength(const Segment& s);

// The direction of travel at the segment's start, not normalised: a line's end less its start;
// an arc's radius at the start turned a quarter the arc's way (as long as the radius).
Point StartTangent(const Segment& s);

// The point at `length` (0 <= length <= SegmentLength(s)) from the segment's start along it:
// on a line the interpolated point, on an arc the start turned about the centre by
// length / radius in the arc's direction.
Point PointAlong(const Segment& s, double length);

// The point of the segment as drawn (an arc's sweep, not its whole circle) nearest to p.
struct NearestOnSegment {
  double distance = 0;  // from p
  double length = 0;    // from the segment's start along it, 0 .. SegmentLength(s)
};
NearestOnSegment Nearest(const Segment& s, Point p);

}  // namespace toothwright
