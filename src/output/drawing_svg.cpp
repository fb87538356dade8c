// The paths keep the drawing's own coordinates, the numbers of the DXF drawing; a group turned
// upside down by scale(1,-1) puts y up. In those coordinates SVG's sweep flag 1 draws an arc
// towards increasing angles, counter-clockwise.
#include "output/drawing_svg.h"

#include <numbers>

#include "geometry/extent.h"
#include "output/decimal_text.h"
#include "sprocket/numbers.h"

namespace toothwright {
namespace {

// A stroke about one screen pixel wide at true size (1/96 in), in the drawing's unit.
constexpr std::string_view kInchStroke = "0.01";
constexpr std::string_view kMillimetreStroke = "0.25";
// Room for the document's head and tail, and for one arc: "A", its radius twice, three flags
// and a point, each number up to 16 characters.
constexpr size_t kHeadReserve = 400;
constexpr size_t kSegmentReserve = 80;

void AppendPoint(std::string& out, Point p) {
  AppendFourDecimals(out, p.x);  // points hold four decimals
  out += ' ';
  AppendFourDecimals(out, p.y);
}

// "A rx ry rotation large-arc sweep x y": a circle's arc needs no rotation; the large-arc
// flag picks the arc over half a turn, the sweep flag the direction.
void AppendSegment(std::string& out, const Segment& s, RadiusTexts& radii) {
  if (!IsArc(s)) {
    out += " L";
    AppendPoint(out, s.end);
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
  AppendPoint(out, s.end);
}

void AppendPath(std::string& out, const Path& path, RadiusTexts& radii) {
  out += "<path d=\"M";
  AppendPoint(out, path.segments.front().start);
  for (const Segment& s : path.segments) AppendSegment(out, s, radii);
  out += " Z\"/>\n";
}

std::string Document(const Path& outline, const std::vector<Path>& holes, LengthUnit length_unit,
                     const Box& box) {
  const bool inches = length_unit == LengthUnit::Inch;
  const std::string width = FormatReal(box.max_x - box.min_x);
  const std::string height = FormatReal(box.max_y - box.min_y);
  const std::string_view unit = inches ? "in" : "mm";

  size_t segments = outline.segments.size();
  for (const Path& hole : holes) segments += hole.segments.size();
  std::string doc;
  doc.reserve(kHeadReserve + segments * kSegmentReserve);
  doc += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  doc += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + width + std::string(unit) +
         "\" height=\"" + height + std::string(unit) + "\" viewBox=\"" + FormatReal(box.min_x) +
         ' ' + FormatReal(-box.max_y) + ' ' + width + ' ' + height + "\">\n";
  doc += "<g transform=\"scale(1,-1)\" fill=\"none\" stroke=\"#000000\" stroke-width=\"";
  doc += inches ? kInchStroke : kMillimetreStroke;
  doc += "\">\n";
  RadiusTexts radii;
  for (const Path& hole : holes) AppendPath(doc, hole, radii);
  AppendPath(doc, outline, radii);
  doc += "</g>\n</svg>\n";
  return doc;
}

}  // namespace

std::string WriteDrawingSvg(const Path& outline, const std::vector<Path>& holes, LengthUnit unit) {
  Box box = Include(Box{}, outline);
  for (const Path& hole : holes) box = Include(box, hole);
  return Document(outline, holes, unit, box);
}

std::string WriteDrawingSvg(const Job& job) {
  return Document(job.sprocket.outline, job.sprocket.holes, job.design.unit, job.extent);
}

}  // namespace toothwright
