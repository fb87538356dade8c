// Paths keep the program's numbers in a group turned upside down by scale(1,-1), as the
// drawing to scale keeps the DXF's; the caption sits outside that group so that it reads the
// right way up. Mark sizes are fixed lengths at true size, in inches or their millimetres.
#include "output/toolpath_svg.h"

#include <algorithm>
#include <cmath>

#include "geometry/extent.h"
#include "output/svg_path.h"
#include "output/toolpath_marks.h"
#include "sprocket/numbers.h"

namespace toothwright {
namespace {

// Sizes in inches at true size.
constexpr double kStroke = 0.01;       // about a screen pixel, as in the drawing to scale
constexpr double kDash = 0.04;         // each dash and gap of a rapid move
constexpr double kDotRadius = 0.025;   // entry dot
constexpr double kArrowLength = 0.15;  // entry arrow, from the dot's centre to its tip
constexpr double kArrowHead = 0.05;    // each stroke of the arrow's head
constexpr double kTabBarHalf = 0.06;   // tab bar, each side of the path, at least
constexpr double kCaptionSize = 0.14;  // caption letters, at most
// The caption's letters are about half as wide as high: this many heights span its text.
constexpr double kCaptionHeights = 38;
// Text units to an inch of the caption (to a millimetre, a tenth of it).
constexpr double kTextScale = 100;

std::string Number(double value) {
  return FormatReal(Round4(value));
}

void AppendMarkPoint(std::string& out, double x, double y) {
  AppendSvgPoint(out, {Round4(x), Round4(y)});
}

// A full circle as two halves: SVG draws nothing for an arc that ends where it starts.
void AppendAcross(std::string& out, const ProgramMove& move, RadiusTexts& radii) {
  const Segment s = Across(move);
  if (IsArc(s) && s.start == s.end) {
    Segment half = s;
    half.end = {2 * s.centre.x - s.start.x, 2 * s.centre.y - s.start.y};
    AppendSvgSegment(out, half, radii);
    half.start = half.end;
    half.end = s.end;
    AppendSvgSegment(out, half, radii);
    return;
  }
  AppendSvgSegment(out, s, radii);
}

// `<tag class="cls" stroke="stroke"`: every element of the toolpath names its own colour.
void Open(std::string& out, std::string_view tag, std::string_view cls, std::string_view stroke) {
  out += '<';
  out += tag;
  out += " class=\"";
  out += cls;
  out += "\" stroke=\"";
  out += stroke;
  out += '"';
}

// The deepest pass's moves across as one path.
void AppendPass(std::string& out, const std::vector<ProgramMove>& moves, const ContourCut& c,
                std::string_view cls, std::string_view stroke, RadiusTexts& radii) {
  Open(out, "path", cls, stroke);
  out += " d=\"M";
  AppendSvgPoint(out, moves[c.deepest].start);
  for (size_t k = c.deepest; k < c.last; ++k) {
    if (CutsAcross(moves[k])) AppendAcross(out, moves[k], radii);
  }
  out += "\"/>\n";
}

// Grows box to hold a move across: its segment's reach, a full circle's whole circle.
Box IncludeMove(Box box, const ProgramMove& move) {
  const Segment s = Across(move);
  if (IsArc(s) && s.start == s.end) {
    box = Include(box, Point{s.centre.x - s.radius, s.centre.y - s.radius});
    return Include(box, Point{s.centre.x + s.radius, s.centre.y + s.radius});
  }
  return Include(box, Path{{s}});
}

}  // namespace

std::string WriteToolpathSvg(const Path& outline, const std::vector<Path>& holes,
                             LengthUnit length_unit, const ProgramMoves& program,
                             const std::vector<ContourCut>& contours,
                             std::optional<double> swept_width) {
  const bool inches = length_unit == LengthUnit::Inch;
  const double unit = inches ? 1 : kMillimetresPerInch;  // drawing units per inch
  const std::vector<ProgramMove>& moves = program.moves;

  Box drawn = Include(Box{}, outline);
  for (const Path& hole : holes) drawn = Include(drawn, hole);
  for (const ProgramMove& m : moves) {
    if (m.kind == ProgramMoveKind::Rapid && MovesAcross(m)) drawn = IncludeMove(drawn, m);
  }
  for (const ContourCut& c : contours) {
    for (size_t k = c.deepest; k < c.last; ++k) {
      if (CutsAcross(moves[k])) drawn = IncludeMove(drawn, moves[k]);
    }
  }
  // Room for the marks and the swept band about every path.
  const double tab_half =
      std::max(kTabBarHalf * unit, swept_width.value_or(0) / 2 + kDotRadius * unit);
  const double margin =
      std::max({(kArrowLength + kArrowHead) * unit, tab_half, swept_width.value_or(0) / 2});
  Box box = drawn;
  box.min_x -= margin;
  box.min_y -= margin;
  box.max_x += margin;
  box.max_y += margin;
  const double width = box.max_x - box.min_x;
  const bool caption = Compensated(program);
  const double caption_size = std::min(kCaptionSize * unit, width / kCaptionHeights);
  const double band = caption ? 2 * caption_size : 0;
  const double height = box.max_y - box.min_y + band;
  const std::string_view suffix = inches ? "in" : "mm";

  std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  doc += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(width) +
         std::string(suffix) + "\" height=\"" + Number(height) + std::string(suffix) +
         "\" viewBox=\"" + Number(box.min_x) + ' ' + Number(-box.max_y) + ' ' + Number(width) +
         ' ' + Number(height) + "\">\n";
  doc += "<title>Toolpath</title>\n";
  doc += "<rect x=\"" + Number(box.min_x) + "\" y=\"" + Number(-box.max_y) + "\" width=\"" +
         Number(width) + "\" height=\"" + Number(height) + "\" fill=\"#ffffff\"/>\n";
  doc += "<g transform=\"scale(1,-1)\" fill=\"none\" stroke-width=\"" + Number(kStroke * unit) +
         "\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n";
  RadiusTexts radii;
  if (swept_width) {
    doc += "<g stroke-width=\"" + Number(*swept_width) + "\">\n";
    for (const ContourCut& c : contours) AppendPass(doc, moves, c, "swept", kSweptBlueHex, radii);
    doc += "</g>\n";
  }
  doc += "<g id=\"part\" stroke=\"#ff0000\">\n";
  for (const Path& hole : holes) AppendSvgPath(doc, hole, radii);
  AppendSvgPath(doc, outline, radii);
  doc += "</g>\n";
  const std::string dash = Number(kDash * unit);
  for (const ProgramMove& m : moves) {
    if (m.kind != ProgramMoveKind::Rapid || !MovesAcross(m)) continue;
    Open(doc, "path", "rapid", kToolpathBlueHex);
    doc += " stroke-dasharray=\"" + dash + ' ' + dash + "\" d=\"M";
    AppendSvgPoint(doc, m.start);
    doc += " L";
    AppendSvgPoint(doc, m.end);
    doc += "\"/>\n";
  }
  for (const ContourCut& c : contours) {
    AppendPass(doc, moves, c, "toolpath", kToolpathBlueHex, radii);
  }
  for (const ContourCut& c : contours) {
    const std::optional<PathMark> entry = EntryMark(program, c);
    if (!entry) continue;
    const Point at = entry->at, d = entry->direction;
    Open(doc, "g", "entry", kToolpathOrangeHex);
    doc += "><circle cx=\"" + Number(at.x) + "\" cy=\"" + Number(at.y) + "\" r=\"" +
           Number(kDotRadius * unit) + "\" fill=\"";
    doc += kToolpathOrangeHex;
    doc += "\"/><path d=\"M";
    AppendSvgPoint(doc, at);
    const double tip_x = at.x + d.x * kArrowLength * unit;
    const double tip_y = at.y + d.y * kArrowLength * unit;
    doc += " L";
    AppendMarkPoint(doc, tip_x, tip_y);
    // The head: two strokes back from the tip, 30 degrees either side of the shaft.
    constexpr double kCos30 = 0.8660254037844386, kSin30 = 0.5;
    const double head = kArrowHead * unit;
    for (double side : {1.0, -1.0}) {
      doc += " M";
      AppendMarkPoint(doc, tip_x, tip_y);
      doc += " L";
      AppendMarkPoint(doc, tip_x + head * (-d.x * kCos30 - side * d.y * kSin30),
                      tip_y + head * (-d.y * kCos30 + side * d.x * kSin30));
    }
    doc += "\"/></g>\n";
  }
  for (const ContourCut& c : contours) {
    for (const TabCrossing& tab : c.tabs) {
      const std::optional<PathMark> mark = TabMark(program, c, tab);
      if (!mark) continue;
      const Point normal{-mark->direction.y, mark->direction.x};
      Open(doc, "path", "tab", kToolpathOrangeHex);
      doc += " d=\"M";
      AppendMarkPoint(doc, mark->at.x - normal.x * tab_half, mark->at.y - normal.y * tab_half);
      doc += " L";
      AppendMarkPoint(doc, mark->at.x + normal.x * tab_half, mark->at.y + normal.y * tab_half);
      doc += "\"/>\n";
    }
  }
  doc += "</g>\n";
  if (caption) {
    // Renderers hint letters badly at a size of a fraction of a unit: the text is set in units
    // kTextScale times smaller, and scaled back.
    const double k = inches ? kTextScale : kTextScale / 10;
    doc += "<text transform=\"scale(" + Number(1 / k) + ")\" x=\"" +
           Number((box.min_x + caption_size / 2) * k) + "\" y=\"" +
           Number((-box.min_y + 1.4 * caption_size) * k) +
           "\" font-family=\"sans-serif\" font-size=\"" + Number(caption_size * k) +
           "\" fill=\"#000000\">";
    doc += kCompensationCaption;
    doc += "</text>\n";
  }
  doc += "</svg>\n";
  return doc;
}

std::string WriteToolpathSvg(const Job& job, const ProgramMoves& program,
                             const std::vector<ContourCut>& contours) {
  return WriteToolpathSvg(job.sprocket.outline, job.sprocket.holes, job.design.unit, program,
                          contours, job.design.machining.tool_diameter);
}

}  // namespace toothwright
