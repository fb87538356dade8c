// Circle-circle and line-circle intersections in the closed forms the outline was designed
// with; the order of operations is kept so that every result is the same to the last bit.
#include "geometry/intersections.h"

#include <cmath>

namespace toothwright {
namespace {

// A discriminant whose magnitude is below this counts as zero: the line touches the circle.
constexpr double kTouchingDiscriminant = 1e-16;

void MissedCircle(double CircleRadius, double& X1, double& Y1, double& X2, double& Y2) {
  X1 = CircleRadius;
  Y1 = 0.0;
  X2 = CircleRadius;
  Y2 = 0.0;
}

// A vertical line has no slope: solve the circle's equation for y at the line's x instead.
void VerticalLineCircle(double LineX, double CircleX, double CircleY, double CircleRadius,
                        double& X1, double& Y1, double& X2, double& Y2) {
  const double dx = LineX - CircleX;
  double D = CircleRadius * CircleRadius - dx * dx;
  if (std::fabs(D) < kTouchingDiscriminant) D = 0.0;
  if (!(D >= 0.0)) {
    MissedCircle(CircleRadius, X1, Y1, X2, Y2);
    return;
  }
  const double h = std::sqrt(D);
  X1 = LineX;
  Y1 = CircleY + h;
  X2 = LineX;
  Y2 = CircleY - h;
}

}  // namespace

int circle_circle_intersection(double x0, double y0, double r0, double X1, double Y1, double r1,
                               double& xi, double& yi, double& xi_prime, double& yi_prime) {
  const double dx = X1 - x0;
  const double dy = Y1 - y0;
  const double d = std::sqrt(dx * dx + dy * dy);
  if (d > r0 + r1) return 0;
  if (d < std::fabs(r0 - r1)) return 0;
  if (d == 0.0) return 0;  // coincident centres: no single pair of meeting points
  const double a = ((r0 * r0 - r1 * r1) + d * d) / (2.0 * d);
  const double x2 = x0 + (dx * a) / d;
  const double y2 = y0 + (dy * a) / d;
  // Rounding can take r0^2 - a^2 slightly below zero for touching circles.
  const double h_squared = r0 * r0 - a * a;
  const double h = h_squared > 0.0 ? std::sqrt(h_squared) : 0.0;
  const double rx = -dy * (h / d);
  const double ry = dx * (h / d);
  xi = x2 + rx;
  yi = y2 + ry;
  xi_prime = x2 - rx;
  yi_prime = y2 - ry;
  return 1;
}

void LineCircle(double LineX1, double LineY1, double LineX2, double LineY2, double CircleX,
                double CircleY, double CircleRadius, double& X1, double& Y1, double& X2,
                double& Y2) {
  if (LineX2 == LineX1) {
    VerticalLineCircle(LineX1, CircleX, CircleY, CircleRadius, X1, Y1, X2, Y2);
    return;
  }
  const double m = (LineY2 - LineY1) / (LineX2 - LineX1);
  const double c = (LineY1 * LineX2 - LineX1 * LineY2) / (LineX2 - LineX1);
  const double A = m * m + 1.0;
  const double B = 2.0 * (m * c - m * CircleY - CircleX);
  const double C = c * c + CircleY * CircleY + CircleX * CircleX - (2.0 * CircleY) * c -
                   CircleRadius * CircleRadius;
  double D = B * B - A * 4.0 * C;
  if (std::fabs(D) < kTouchingDiscriminant) D = 0.0;
  if (D < 0.0) {
    MissedCircle(CircleRadius, X1, Y1, X2, Y2);
    return;
  }
  X1 = (-B + std::sqrt(D)) / (2.0 * A);
  Y1 = X1 * m + c;
  X2 = (-B - std::sqrt(D)) / (2.0 * A);
  Y2 = X2 * m + c;
}

double ZeroLineDistance(double x, double Y) {
  return std::pow(Y * Y + x * x, 0.5);
}

}  // namespace toothwright
