// A segment's small helpers in one place: how far an arc turns, how long a segment is, the
// point at a distance along it, its direction of travel, the point of it nearest another, the
// segment travelled the other way, and where a segment is cut in two. Lengths are in the
// segment's own unit; directions are vectors in the plane, y up.
#pragma once

#include "geometry/path.h"

namespace toothwright {

// The angle an arc turns through about its centre in its own direction, radians in [0, 2*pi),
// measured between the directions of its start and end; an arc whose ends coincide turns 0.
double Sweep(const Segment& arc);

// Length of the segment as it is travelled: a line's chord, an arc's radius (its stored one)
// times its sweep, where a sweep of 0 counts as 2*pi: an arc whose ends coincide is a full
// circle.
double SegmentLength(const Segment& s);

// The point at `length` (0 <= length <= SegmentLength(s)) from the segment's start along it:
// on a line the interpolated point, on an arc the start turned about the centre by
// length / radius in the arc's direction.
Point PointAlong(const Segment& s, double length);

// The direction of travel at point p of the segment (p on it, such as an end), not
// normalised: a line's end less its start; an arc's radius at p turned a quarter the arc's
// way (as long as the radius).
Point Tangent(const Segment& s, Point p);

// Tangent(s, p) scaled to length 1; (0, 0) for a line whose ends meet or p at an arc's centre.
Point UnitTangent(const Segment& s, Point p);

// The point of the segment as drawn (an arc's sweep, not its whole circle) nearest to p.
struct NearestOnSegment {
  double distance = 0;  // from p
  double length = 0;    // from the segment's start along it, 0 .. SegmentLength(s)
};
NearestOnSegment Nearest(const Segment& s, Point p);

// The segment from its end to its start: an arc turning the other way about the same centre
// with the same radius, role and tooth.
Segment Reversed(Segment s);

// p with each coordinate rounded to four decimals (Round4), as every stored point is; a
// coordinate that rounds to zero keeps its sign.
Point Round4(Point p);

// Round4(p) with a negative zero made 0: for points placed afresh (holes, lead arcs), so that
// no output writes "-0" for a rounded -1e-17.
Point Round4Unsigned(Point p);

// Where a segment is cut: the point `length` along it (PointAlong) rounded to four decimals.
Point CutPoint(const Segment& s, double length);

// The segment cut in two at CutPoint(s, length): `before` runs from s's start to the cut and
// `after` from the cut to s's end, each otherwise s (kind, role, centre, radius, tooth), so
// they join at the cut and an arc's pieces keep its circle. A piece whose ends meet (a cut at
// or rounded onto an end) is still returned; the caller decides whether to keep it.
struct SplitSegment {
  Segment before, after;
};
SplitSegment SplitAt(const Segment& s, double length);

}  // namespace toothwright
