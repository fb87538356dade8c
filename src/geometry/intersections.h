// Plane intersections for the construction of the first tooth, and the distance from the
// origin. Results come back through output parameters; an output is written only where
// stated and otherwise keeps what the caller had in it.
#pragma once

namespace toothwright {

// Where the circle about (x0, y0) of radius r0 meets the circle about (X1, Y1) of radius r1.
// Returns 1 and writes (xi, yi), the point on the left of the direction from the first centre
// to the second, and (xi_prime, yi_prime), the one on its right; touching circles give two
// equal points. Returns 0 and writes nothing when the circles lie apart, one lies inside the
// other, or the centres coincide.
int circle_circle_intersection(double x0, double y0, double r0, double X1, double Y1, double r1,
                               double& xi, double& yi, double& xi_prime, double& yi_prime);

// Where the line through (LineX1, LineY1) and (LineX2, LineY2) meets the circle about
// (CircleX, CircleY) of radius CircleRadius. Always writes both points: (X1, Y1) has the
// larger x, (X2, Y2) the smaller; a touching line gives two equal points; a line that misses
// gives (CircleRadius, 0) twice. A vertical line gives the point with the larger y first.
void LineCircle(double LineX1, double LineY1, double LineX2, double LineY2, double CircleX,
                double CircleY, double CircleRadius, double& X1, double& Y1, double& X2,
                double& Y2);

// Distance of (x, Y) from the origin: (Y*Y + x*x) to the power 0.5.
double ZeroLineDistance(double x, double Y);

}  // namespace toothwright
