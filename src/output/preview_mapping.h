// How the preview places the part on its canvas: the part's centre at the middle of the outer
// box, its y axis turned up the screen, the outside diameter spanning 90 % of the smaller
// outer side. Everything drawn over the part uses the same mapping.
#pragma once

#include <optional>

#include "output/preview_canvas.h"

namespace toothwright {

// The mapping for one picture. The precision of each field is the picture's own: the centre x
// is held as a float, the centre y and the scale as doubles.
struct PreviewMapping {
  double s = 0;   // twips per part length unit
  float cx = 0;   // canvas x of the part's centre
  double cy = 0;  // half the outer height, measured from the bottom of the box
};

// The mapping for a part of outside diameter D (as read back from its text) on canvas; nullopt
// when D == 0, which gives no scale.
std::optional<PreviewMapping> MapPreview(const PreviewCanvas& canvas, double D);

// Canvas twips of a part's x, and of its y with H the outer height read as the point is
// placed; computed in double, for the caller to round to float as it hands them over.
inline double CanvasX(const PreviewMapping& m, double x) {
  return m.cx + m.s * x;
}
inline double CanvasY(const PreviewMapping& m, double y, double H) {
  return H - (m.s * y + m.cy);
}

}  // namespace toothwright
