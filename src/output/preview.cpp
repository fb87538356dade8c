// The preview: the sprocket mapped onto the canvas with its centre at the middle of the outer
// box and its y axis turned up the screen, the outside diameter spanning 90 % of the smaller
// outer side. The picture must match the window's to the last single-precision bit, so the
// precision of every value is deliberate: the centre x is held as a float, the centre y, the
// scale and the radii as doubles, and each coordinate is computed in double and only then
// rounded to float.
#include "output/preview.h"

#include <array>
#include <cmath>
#include <optional>

#include "geometry/angles.h"

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

// Distance between two points, the y difference first as the picture was made.
double Distance(Point a, Point b) {
  const double dy = a.y - b.y;
  const double dx = a.x - b.x;
  return std::sqrt(dy * dy + dx * dx);
}

// One arc about its centre from the direction of its counter-clockwise start to that of its
// counter-clockwise end, as the DXF drawing gives it. The start angle is computed first, then
// the end angle; the outer height is read afresh for the arc's y.
void DrawArcSegment(PreviewCanvas& canvas, const Mapping& m, const Segment& s, double radius) {
  const bool ccw = s.kind == SegmentKind::CounterClockwiseArc;
  const Point from = ccw ? s.start : s.end;
  const Point to = ccw ? s.end : s.start;
  const double start = Atan2(from.x - s.centre.x, from.y - s.centre.y);
  const double end = Atan2(to.x - s.centre.x, to.y - s.centre.y);
  const double H = canvas.OuterHeight();
  const double x = m.cx + m.s * s.centre.x;
  const double y = H - (m.s * s.centre.y + m.cy);
  canvas.DrawArc(static_cast<float>(x), static_cast<float>(y), static_cast<float>(radius),
                 kPreviewRed, static_cast<float>(start), static_cast<float>(end));
}

// A straight segment of a hole, the outer height read afresh for each end's y.
void DrawLineSegment(PreviewCanvas& canvas, const Mapping& m, const Segment& s) {
  const double H = canvas.OuterHeight();
  canvas.DrawLine(static_cast<float>(m.cx + m.s * s.start.x),
                  static_cast<float>(H - (m.s * s.start.y + m.cy)),
                  static_cast<float>(m.cx + m.s * s.end.x),
                  static_cast<float>(H - (m.s * s.end.y + m.cy)), kPreviewRed);
}

// The picture's radius of every arc of one role, measured on the first arc of that role from
// its centre to its counter-clockwise end (tooth 1's tip for a flank, where its seat begins
// for a seat), so that every tooth is drawn with tooth 1's radii.
class MeasuredRadii {
 public:
  MeasuredRadii(const Path& outline, double scale) {
    for (const Segment& s : outline.segments) {
      auto& radius = radii_[static_cast<size_t>(s.role)];
      if (!radius) {
        const Point to = s.kind == SegmentKind::CounterClockwiseArc ? s.end : s.start;
        radius = Distance(s.centre, to) * scale;
      }
    }
  }
  double Of(SegmentRole role) const { return radii_[static_cast<size_t>(role)].value_or(0); }

 private:
  std::array<std::optional<double>, kSegmentRoles> radii_;
};

}  // namespace

void DrawPreview(const Path& outline, const std::vector<Path>& holes, bool bore, double D,
                 PreviewCanvas& canvas) {
  canvas.Clear();
  // No scale exists for a zero diameter; the canvas stays cleared.
  if (!(D != 0)) return;

  const double W = canvas.OuterWidth();
  const double H = canvas.OuterHeight();
  Mapping m;
  m.s = H < W ? (H * kDiameterShare) / D : (W * kDiameterShare) / D;
  m.cx = canvas.OuterWidth() / 2;
  m.cy = static_cast<double>(canvas.OuterHeight()) / 2;

  const MeasuredRadii radii(outline, m.s);
  // The centre-hole circle, with the radius of a roller seat; a bore is drawn in its place.
  if (!bore) {
    canvas.DrawCircle(m.cx, static_cast<float>(m.cy),
                      static_cast<float>(radii.Of(SegmentRole::Seat)), kPreviewRed);
  }
  for (const Segment& s : outline.segments) {
    if (IsArc(s)) DrawArcSegment(canvas, m, s, radii.Of(s.role));
  }
  // Holes are drawn to scale: each arc with the radius it was built with.
  for (const Path& hole : holes) {
    for (const Segment& s : hole.segments) {
      if (IsArc(s)) {
        DrawArcSegment(canvas, m, s, s.radius * m.s);
      } else {
        DrawLineSegment(canvas, m, s);
      }
    }
  }
}

void DrawPreview(const Job& job, PreviewCanvas& canvas) {
  DrawPreview(job.sprocket.outline, job.sprocket.holes, job.sprocket.mounting.bore.has_value(),
              job.outside_diameter, canvas);
}

}  // namespace toothwright
