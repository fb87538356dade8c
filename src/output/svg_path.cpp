// In coordinates with y up, SVG's sweep flag 1 draws an arc towards increasing angles,
// counter-clockwise.
#include "output/svg_path.h"

#include <numbers>

#include "geometry/segment.h"

namespace toothwright {

void AppendSvgPoint(std::string& out, Point p) {
  AppendFourDecimals(out, p.x);  // fast for points that hold four decimals, as most do
  out += ' ';
  AppendFourDecimals(out, p.y);
}

// "A rx ry rotation large-arc sweep x y": a circle's arc needs no rotation; the large-arc
// flag picks the arc over half a turn, the sweep flag the direction.
void AppendSvgSegment(std::string& out, const Segment& s, RadiusTexts& radii) {
  if (!IsArc(s)) {
    out += " L";
    AppendSvgPoint(out, s.end);
    return;
  }
  const std::string& radius = radii.Of(s.radius);
  out += " A";
  out += radius;
  out += ' ';
  out += radius;
  out += " 0 ";
  out += Sweep(s) > std::numbers::pi ? "1 " : "0 ";
  out += s.kind == SegmentKind::CounterClockwiseArc ? "1 " : "0 ";
  AppendSvgPoint(out, s.end);
}

void AppendSvgPath(std::string& out, const Path& path, RadiusTexts& radii) {
  out += "<path d=\"M";
  AppendSvgPoint(out, path.segments.front().start);
  for (const Segment& s : path.segments) AppendSvgSegment(out, s, radii);
  out += " Z\"/>\n";
}

}  // namespace toothwright
