// The drawing surface of the preview: twips (1/1440 inch), origin at the top-left corner of
// the drawable interior, y growing downwards; single-precision arguments; colours are 24-bit
// RGB values with red in the low byte.
#pragma once

#include <cstdint>

namespace toothwright {

// Red as a 24-bit value with red in the low byte.
inline constexpr std::uint32_t kPreviewRed = 0x0000FF;

// The window's picture box: 3795 x 3795 twips outside, 3735 x 3735 inside; its sunken border
// takes 30 twips on each side.
inline constexpr float kPictureOuterSize = 3795.0f;
inline constexpr float kPictureBorder = 30.0f;

// Length of each dash and of each gap of a dashed line: 4 pixels at 15 twips a pixel.
inline constexpr float kDashTwips = 60.0f;

class PreviewCanvas {
 public:
  virtual ~PreviewCanvas() = default;

  // Erases the whole picture to the background colour.
  virtual void Clear() = 0;
  // Outer size of the picture box in twips, border included.
  virtual float OuterWidth() const = 0;
  virtual float OuterHeight() const = 0;
  // Outline of the full circle about (x, y).
  virtual void DrawCircle(float x, float y, float radius, std::uint32_t colour) = 0;
  // Outline of the part of the circle about (x, y) from angle start counter-clockwise (as seen
  // on the screen) to angle end; radians in [0, 2*pi); angle a is the point
  // (x + radius*cos a, y - radius*sin a). When end < start the arc passes through angle 0.
  virtual void DrawArc(float x, float y, float radius, std::uint32_t colour, float start,
                       float end) = 0;
  // Straight line from (x1, y1) to (x2, y2).
  virtual void DrawLine(float x1, float y1, float x2, float y2, std::uint32_t colour) = 0;
  // The same line dashed, kDashTwips on and kDashTwips off from (x1, y1).
  virtual void DrawDashedLine(float x1, float y1, float x2, float y2, std::uint32_t colour) = 0;
  // The full circle about (x, y) filled, its outline included.
  virtual void FillCircle(float x, float y, float radius, std::uint32_t colour) = 0;
};

}  // namespace toothwright
