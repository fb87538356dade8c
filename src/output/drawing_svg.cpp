// The paths keep the drawing's own coordinates, the numbers of the DXF drawing; a group turned
// upside down by scale(1,-1) puts y up (AppendSvgPath).
#include "output/drawing_svg.h"

#include "geometry/extent.h"
#include "numbers/numbers.h"
#include "output/svg_path.h"

namespace toothwright {
namespace {

// Room for the document's head and tail, and for one arc: "A", its radius twice, three flags
// and a point, each number up to 16 characters.
constexpr size_t kHeadReserve = 400;
constexpr size_t kSegmentReserve = 80;

std::string Document(const Path& outline, const std::vector<Path>& holes, LengthUnit length_unit,
                     const Box& box) {
  size_t segments = outline.segments.size();
  for (const Path& hole : holes) segments += hole.segments.size();
  std::string doc;
  doc.reserve(kHeadReserve + segments * kSegmentReserve);
  AppendSvgDrawingHead(doc, box, length_unit);
  doc += "<g transform=\"scale(1,-1)\" fill=\"none\" stroke=\"#000000\" stroke-width=\"";
  doc += SvgHairline(length_unit);
  doc += "\">\n";
  RadiusTexts radii;
  for (const Path& hole : holes) AppendSvgPath(doc, hole, radii);
  AppendSvgPath(doc, outline, radii);
  doc += "</g>\n</svg>\n";
  return doc;
}

}  // namespace

void AppendSvgDrawingHead(std::string& doc, const Box& box, LengthUnit unit) {
  const std::string width = FormatReal(box.max_x - box.min_x);
  const std::string height = FormatReal(box.max_y - box.min_y);
  doc += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  doc += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + width + UnitName(unit) +
         "\" height=\"" + height + UnitName(unit) + "\" viewBox=\"" + FormatReal(box.min_x) + ' ' +
         FormatReal(-box.max_y) + ' ' + width + ' ' + height + "\">\n";
}

std::string_view SvgHairline(LengthUnit unit) {
  // About one screen pixel (1/96 in) at true size.
  return unit == LengthUnit::Inch ? "0.01" : "0.25";
}

std::string WriteDrawingSvg(const Path& outline, const std::vector<Path>& holes, LengthUnit unit) {
  Box box = Include(Box{}, outline);
  for (const Path& hole : holes) box = Include(box, hole);
  return Document(outline, holes, unit, box);
}

std::string WriteDrawingSvg(const Job& job) {
  return Document(job.sprocket.outline, job.sprocket.holes, job.design.unit, Extent(job));
}

}  // namespace toothwright
