// A canvas that draws into a standalone SVG document: a white background the size of the
// picture box's interior, and the circles, arcs and lines as outlines without fill in their
// colour (a filled circle filled).
#pragma once

#include <cstdint>
#include <string>

#include "output/preview_canvas.h"

namespace toothwright {

class SvgCanvas : public PreviewCanvas {
 public:
  // A picture box of the given outer size with a border of border twips on each side; the
  // document shows the interior, (outer - 2 * border) twips each way.
  explicit SvgCanvas(float outer_width = kPictureOuterSize, float outer_height = kPictureOuterSize,
                     float border = kPictureBorder);
  void Clear() override;
  float OuterWidth() const override;
  float OuterHeight() const override;
  void DrawCircle(float x, float y, float radius, std::uint32_t colour) override;
  // An arc whose start and end angles are equal draws nothing.
  void DrawArc(float x, float y, float radius, std::uint32_t colour, float start,
               float end) override;
  void DrawLine(float x1, float y1, float x2, float y2, std::uint32_t colour) override;
  void DrawDashedLine(float x1, float y1, float x2, float y2, std::uint32_t colour) override;
  void FillCircle(float x, float y, float radius, std::uint32_t colour) override;

  // The whole document: its view box is the interior in twips, with canvas coordinates as
  // they are; its size is the interior's in inches (1440 twips each).
  std::string Document() const;

 private:
  float outer_width_;
  float outer_height_;
  float border_;
  std::string shapes_;  // the elements drawn since the last Clear
};

}  // namespace toothwright
