// The part's holes as closed paths, built once per run from its mounting and walked by every
// output stage after (or, for the program, before) the outline.
#pragma once

#include <vector>

#include "geometry/path.h"
#include "sprocket/mounting.h"

namespace toothwright {

// The centre of bolt hole k (0 .. count - 1), the holes counted counter-clockwise from the
// one on +X; rounded to four decimals like every point of the outline.
Point BoltHoleCentre(const BoltCircle& circle, int k);

// Length of each of the keyway's sides, from where it leaves the bore's edge to the far side.
double KeywaySideLength(double bore, const Keyway& keyway);

// The holes in the order the program cuts them: the bolt holes from the one on +X
// counter-clockwise, then the bore with its keyway. Every hole runs clockwise, so that the
// part lies to the left of it as it lies to the left of the counter-clockwise outline, and the
// same cutter compensation keeps the cutter off the part on every contour. A round hole is two
// half circles from its point nearest the part's centre (a bolt hole) or its lowest point (the
// bore); the bore with a keyway starts at its lowest point too, well away from the keyway's
// corners, and runs clockwise round the bore to the keyway's left side, along the keyway's
// left, far and right sides (three lines) and round the bore back to the start. Every segment
// has the role Hole and tooth 0; points are rounded to four decimals, the radii are exact.
std::vector<Path> BuildHoles(const Mounting& mounting);

}  // namespace toothwright
