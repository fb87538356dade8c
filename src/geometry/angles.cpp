// The angle helpers keep two values of pi apart on purpose: the conversions use the full
// double pi, the direction angle the 15-digit decimal constants the outputs were made with.
#include "geometry/angles.h"

#include <cmath>

namespace toothwright {
namespace {

// Decimal pi and 2*pi cut off after the 15th significant digit (slightly below the truth).
constexpr double kDecimalPi = 3.14159265358979;
constexpr double kDecimalTwoPi = 6.28318530717958;
// Stands in for a zero x so that the arctangent of Y / x stays defined.
constexpr double kZeroX = 1e-9;
// Above this many turns repeated subtraction would make no progress; take the remainder.
constexpr double kManyTurns = 1000;

double FullPi() {
  return 4.0 * std::atan(1.0);
}

}  // namespace

double DegToRad(double Degrees) {
  return (Degrees / 180.0) * FullPi();
}

double RadToDeg(double Radians) {
  const double turn = 2.0 * FullPi();
  double r = Radians;
  if (r > kManyTurns * turn) r = std::fmod(r, turn);  // infinity becomes NaN and ends the loop
  while (turn < r) r -= turn;
  return (r / turn) * 360.0;
}

double Atan2(double x, double Y) {
  if (x == 0.0 && Y == 0.0) return 0.0;
  if (x == 0.0) x = kZeroX;
  const double q = std::atan(Y / x);
  if (x > 0.0 && Y < 0.0) return q + kDecimalTwoPi;
  if (x < 0.0) return q + kDecimalPi;
  return q;
}

}  // namespace toothwright
