// From the preview canvas's units to the picture's: twips to logical pixels of the drawable
// interior, radians to QPainter's sixteenths of a degree, 24-bit colours to QColor. This is
// the only place where those conversions happen.
#pragma once

#include <QColor>
#include <QRectF>
#include <cstdint>

namespace toothwright {

// An arc as QPainter::drawArc takes it.
struct PixelArc {
  QRectF bounds;  // the circle's bounding square, logical pixels of the interior
  int start = 0;  // sixteenths of a degree, counter-clockwise from 3 o'clock
  int span = 0;   // sixteenths of a degree, counter-clockwise, in [0, 5760]
};

// The bounding square of the circle about canvas point (x, y), twips, y down; in logical
// pixels with (0, 0) at the top-left of the interior. Both systems point y down, so no flip.
QRectF CircleBounds(float x, float y, float radius);

// The arc from start counter-clockwise to end (radians in [0, 2*pi), 0 to the right, pi/2 up
// the screen, as QPainter counts them too); when end < start it passes through angle 0.
PixelArc MapArc(float x, float y, float radius, float start, float end);

// A 24-bit RGB value with red in the low byte.
QColor ColourFromRgb(std::uint32_t colour);

}  // namespace toothwright
