// Angle helpers: degrees <-> radians and the direction of a point seen from the origin.
// Angles run counter-clockwise from the +X axis.
#pragma once

namespace toothwright {

// Degrees to radians: (Degrees / 180) * pi, with pi = 4 * atan(1).
double DegToRad(double Degrees);

// Radians to degrees after taking off whole turns above 2*pi; exactly 2*pi gives 360,
// negative angles are not brought into range (-pi/2 gives -90).
double RadToDeg(double Radians);

// Direction of (x, Y) from the origin, radians in [0, 2*pi); x comes first.
// Uses the decimal pi 3.14159265358979 and 2*pi 6.28318530717958, and 1e-9 for a zero x.
double Atan2(double x, double Y);

}  // namespace toothwright
