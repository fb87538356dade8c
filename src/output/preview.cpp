// The preview: the sprocket mapped onto the canvas with its centre at the middle of the outer
// box and its y axis turned up the screen, the outside diameter spanning 90 % of the smaller
// outer side. The picture must match the window's to the last single-precision bit, so the
// precision of every value is deliberate: the centre x is held as a float, the centre y, the
// scale and the radii as doubles, and each coordinate is computed in double and only then
// rounded to float.
#include "output/preview.h"

#include <cassert>
#include <cmath>

#include "geometry/angles.h"
#include "output/profile_points.h"

namespace toothwright {
namespace {

// Share of the smaller outer side that the outside diameter spans.
constexpr double kDiameterShare = 0.9;

// The mapping from sprocket lengths to canvas twips, fixed for one picture.
struct Mapping {
  double s = 0;   // twips per sprocket length unit
  float cx = 0;   // canvas x of the sprocket centre
  double cy = 0;  // half the outer height, measured from the bottom of the box
};

// Distance between two profile points, the y difference first as the picture was made.
double Distance(ProfilePoint a, ProfilePoint b) {
  const double dy = a.y - b.y;
  const double dx = a.x - b.x;
  return std::sqrt(dy * dy + dx * dx);
}

// One arc about centre from the direction of from counter-clockwise to the direction of to.
// The start angle is computed first, then the end angle; the outer height is read afresh for
// the arc's y.
void DrawArcAbout(PreviewCanvas& canvas, const Mapping& m, ProfilePoint centre, double radius,
                  ProfilePoint from, ProfilePoint to) {
  const double start = Atan2(from.x - centre.x, from.y - centre.y);
  const double end = Atan2(to.x - centre.x, to.y - centre.y);
  const double H = canvas.OuterHeight();
  const double x = m.cx + m.s * centre.x;
  const double y = H - (m.s * centre.y + m.cy);
  canvas.DrawArc(static_cast<float>(x), static_cast<float>(y), static_cast<float>(radius),
                 kPreviewRed, static_cast<float>(start), static_cast<float>(end));
}

// Tooth i with next roller j: the same arcs as the DXF drawing, with the radii measured on
// tooth 1. The seat is given from flank start j to flank end i, the side facing the centre.
void DrawTooth(PreviewCanvas& canvas, const Mapping& m, const ToothProfile& p, int i, int j,
               double flank_radius, double seat_radius) {
  DrawArcAbout(canvas, m, Roller(p, j), flank_radius, FlankStart(p, i), Tip(p, i));
  DrawArcAbout(canvas, m, Roller(p, i), flank_radius, Tip(p, i), FlankEnd(p, i));
  DrawArcAbout(canvas, m, Roller(p, j), seat_radius, FlankStart(p, j), FlankEnd(p, i));
}

}  // namespace

void DrawPreview(const ToothProfile& profile, double D, double T, int N, PreviewCanvas& canvas) {
  assert(N >= 2 && profile.RollerX.size() > static_cast<size_t>(N));
  assert(T - 1 < N);  // the loop's next roller i + 1 stays within the profile
  canvas.Clear();
  // No scale exists for a zero diameter; the canvas stays cleared.
  if (!(D != 0)) return;

  const double W = canvas.OuterWidth();
  const double H = canvas.OuterHeight();
  Mapping m;
  m.s = H < W ? (H * kDiameterShare) / D : (W * kDiameterShare) / D;
  m.cx = canvas.OuterWidth() / 2;
  m.cy = static_cast<double>(canvas.OuterHeight()) / 2;

  // Roller 2 as finally stored; tooth 1's flank and seat radii serve for every tooth.
  const double flank_radius = Distance(Roller(profile, 2), Tip(profile, 1)) * m.s;
  const double seat_radius = Distance(Roller(profile, 2), FlankEnd(profile, 1)) * m.s;

  // The centre-hole circle, with the radius of a roller seat.
  canvas.DrawCircle(m.cx, static_cast<float>(m.cy), static_cast<float>(seat_radius), kPreviewRed);
  ForEachTooth(
      T, N, [&](int i, int j) { DrawTooth(canvas, m, profile, i, j, flank_radius, seat_radius); });
}

}  // namespace toothwright
