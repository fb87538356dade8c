// The preview: the sprocket placed on the canvas by MapPreview. The picture must match the
// window's to the last single-precision bit, so the precision of every value is deliberate:
// the radii are held as doubles, and each coordinate is computed in double and only then
// rounded to float.
#include "output/preview.h"

#include <array>
#include <cmath>
#include <optional>

#include "geometry/angles.h"
#include "output/preview_mapping.h"

namespace toothwright {
namespace {

// Distance between two points, the y difference first as the picture was made.
double Distance(Point a, Point b) {
  const double dy = a.y - b.y;
  const double dx = a.x - b.x;
  return std::sqrt(dy * dy + dx * dx);
}

// One arc about its centre from the direction of its counter-clockwise start to that of its
// counter-clockwise end, as the DXF drawing gives it. The start angle is computed first, then
// the end angle; the outer height is read afresh for the arc's y.
void DrawArcSegment(PreviewCanvas& canvas, const PreviewMapping& m, const Segment& s,
                    double radius) {
  const bool ccw = s.kind == SegmentKind::CounterClockwiseArc;
  const Point from = ccw ? s.start : s.end;
  const Point to = ccw ? s.end : s.start;
  const double start = Atan2(from.x - s.centre.x, from.y - s.centre.y);
  const double end = Atan2(to.x - s.centre.x, to.y - s.centre.y);
  const double H = canvas.OuterHeight();
  const double x = CanvasX(m, s.centre.x);
  const double y = CanvasY(m, s.centre.y, H);
  canvas.DrawArc(static_cast<float>(x), static_cast<float>(y), static_cast<float>(radius),
                 kPreviewRed, static_cast<float>(start), static_cast<float>(end));
}

// A straight segment of a hole, the outer height read afresh for each end's y.
void DrawLineSegment(PreviewCanvas& canvas, const PreviewMapping& m, const Segment& s) {
  const double H = canvas.OuterHeight();
  canvas.DrawLine(static_cast<float>(CanvasX(m, s.start.x)),
                  static_cast<float>(CanvasY(m, s.start.y, H)),
                  static_cast<float>(CanvasX(m, s.end.x)),
                  static_cast<float>(CanvasY(m, s.end.y, H)), kPreviewRed);
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
  const std::optional<PreviewMapping> mapping = MapPreview(canvas, D);
  if (!mapping) return;
  const PreviewMapping& m = *mapping;

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
              job.sprocket.outside_diameter, canvas);
}

}  // namespace toothwright
