// Canvas angles run counter-clockwise on the screen, as QPainter's do, so an angle converts by
// scale alone; only the span needs care when the arc crosses angle 0.
#include "ui/canvas_mapping.h"

#include <cmath>
#include <numbers>

#include "ui/window_layout.h"

namespace toothwright {
namespace {

constexpr double kSixteenthsPerRadian = 180.0 * 16.0 / std::numbers::pi;

double TwipsToPixelsF(float twips) {
  return static_cast<double>(twips) / kTwipsPerPixel;
}

int ToSixteenths(double radians) {
  return static_cast<int>(std::lround(radians * kSixteenthsPerRadian));
}

}  // namespace

QRectF CircleBounds(float x, float y, float radius) {
  const double r = TwipsToPixelsF(radius);
  return QRectF(TwipsToPixelsF(x) - r, TwipsToPixelsF(y) - r, 2 * r, 2 * r);
}

PixelArc MapArc(float x, float y, float radius, float start, float end) {
  double span = static_cast<double>(end) - static_cast<double>(start);
  if (span < 0) span += 2 * std::numbers::pi;
  return {CircleBounds(x, y, radius), ToSixteenths(start), ToSixteenths(span)};
}

QColor ColourFromRgb(std::uint32_t colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

}  // namespace toothwright
