// The outer size is read afresh for the centre as the picture was first made; the canvas does
// not change meanwhile, so the values are those of the first reading.
#include "output/preview_mapping.h"

namespace toothwright {
namespace {

// Share of the smaller outer side that the outside diameter spans.
constexpr double kDiameterShare = 0.9;

}  // namespace

std::optional<PreviewMapping> MapPreview(const PreviewCanvas& canvas, double D) {
  if (!(D != 0)) return std::nullopt;
  const double W = canvas.OuterWidth();
  const double H = canvas.OuterHeight();
  PreviewMapping m;
  m.s = H < W ? (H * kDiameterShare) / D : (W * kDiameterShare) / D;
  m.cx = canvas.OuterWidth() / 2;
  m.cy = static_cast<double>(canvas.OuterHeight()) / 2;
  return m;
}

}  // namespace toothwright
