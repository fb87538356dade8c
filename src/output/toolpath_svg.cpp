// Paths keep the program's numbers in a group turned upside down by scale(1,-1), as the
// drawing to scale keeps the DXF's; the caption sits outside that group so that it reads the
// right way up. Mark sizes are fixed lengths at true size, in inches or their millimetres.
#include "output/toolpath_svg.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>
#include <string_view>

#include "geometry/extent.h"
#include "geometry/segment.h"
#include "numbers/numbers.h"
#include "numbers/units.h"
#include "output/svg_path.h"
#include "output/toolpath_drawing.h"
#include "output/toolpath_style.h"

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
  AppendSvgPoint(out, Round4(Point{x, y}));
}

// A full circle as two halves: SVG draws nothing for an arc that ends where it starts.
void AppendAcross(std::string& out, const Segment& s, RadiusTexts& radii) {
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

// A deepest pass's moves across as one path.
void AppendPass(std::string& out, Point start, std::span<const Segment> across,
                std::string_view cls, std::string_view stroke, RadiusTexts& radii) {
  Open(out, "path", cls, stroke);
  out += " d=\"M";
  AppendSvgPoint(out, start);
  for (const Segment& s : across) AppendAcross(out, s, radii);
  out += "\"/>\n";
}

// Grows box to hold a move across: its segment's reach, a full circle's whole circle.
Box IncludeMove(Box box, const Segment& s) {
  if (IsArc(s) && s.start == s.end) {
    box = Include(box, Point{s.centre.x - s.radius, s.centre.y - s.radius});
    return Include(box, Point{s.centre.x + s.radius, s.centre.y + s.radius});
  }
  return Include(box, Path{{s}});
}

// The toolpath's elements, each kind collected apart and put in the document's order at the
// end, with the box that holds the part and every path.
class SvgToolpath : public ToolpathCanvas {
 public:
  explicit SvgToolpath(const Job& job)
      : job_(job),
        unit_(job.design.unit == LengthUnit::Inch ? 1 : kMillimetresPerInch),
        swept_width_(job.design.machining.tool_diameter),
        tab_half_(std::max(kTabBarHalf * unit_, swept_width_.value_or(0) / 2 + kDotRadius * unit_)),
        dash_(Number(kDash * unit_)) {
    drawn_ = Include(Box{}, job.sprocket.outline);
    for (const Path& hole : job.sprocket.holes) drawn_ = Include(drawn_, hole);
  }

  void Rapid(Point from, Point to) override {
    drawn_ = IncludeMove(drawn_, Segment{.start = from, .end = to});
    Open(rapids_, "path", "rapid", kToolpathBlueHex);
    rapids_ += " stroke-dasharray=\"" + dash_ + ' ' + dash_ + "\" d=\"M";
    AppendSvgPoint(rapids_, from);
    rapids_ += " L";
    AppendSvgPoint(rapids_, to);
    rapids_ += "\"/>\n";
  }

  void Pass(Point start, std::span<const Segment> across) override {
    for (const Segment& s : across) drawn_ = IncludeMove(drawn_, s);
    if (swept_width_) AppendPass(swept_, start, across, "swept", kSweptBlueHex, radii_);
    AppendPass(passes_, start, across, "toolpath", kToolpathBlueHex, radii_);
  }

  void Entry(const PathMark& mark) override {
    const Point at = mark.at, d = mark.direction;
    Open(entries_, "g", "entry", kToolpathOrangeHex);
    entries_ += "><circle cx=\"" + Number(at.x) + "\" cy=\"" + Number(at.y) + "\" r=\"" +
                Number(kDotRadius * unit_) + "\" fill=\"";
    entries_ += kToolpathOrangeHex;
    entries_ += "\"/><path d=\"M";
    AppendSvgPoint(entries_, at);
    const double tip_x = at.x + d.x * kArrowLength * unit_;
    const double tip_y = at.y + d.y * kArrowLength * unit_;
    entries_ += " L";
    AppendMarkPoint(entries_, tip_x, tip_y);
    const double head = kArrowHead * unit_;
    for (const Point back : ArrowHead(d)) {
      entries_ += " M";
      AppendMarkPoint(entries_, tip_x, tip_y);
      entries_ += " L";
      AppendMarkPoint(entries_, tip_x + head * back.x, tip_y + head * back.y);
    }
    entries_ += "\"/></g>\n";
  }

  void Tab(const PathMark& mark) override {
    const Point normal = BarDirection(mark);
    Open(tabs_, "path", "tab", kToolpathOrangeHex);
    tabs_ += " d=\"M";
    AppendMarkPoint(tabs_, mark.at.x - normal.x * tab_half_, mark.at.y - normal.y * tab_half_);
    tabs_ += " L";
    AppendMarkPoint(tabs_, mark.at.x + normal.x * tab_half_, mark.at.y + normal.y * tab_half_);
    tabs_ += "\"/>\n";
  }

  // The document, with a caption below the drawing when caption.
  std::string Document(bool caption) {
    // Room for the marks and the swept band about every path.
    const double margin =
        std::max({(kArrowLength + kArrowHead) * unit_, tab_half_, swept_width_.value_or(0) / 2});
    Box box = drawn_;
    box.min_x -= margin;
    box.min_y -= margin;
    box.max_x += margin;
    box.max_y += margin;
    const double width = box.max_x - box.min_x;
    const double caption_size = std::min(kCaptionSize * unit_, width / kCaptionHeights);
    const double height = box.max_y - box.min_y + (caption ? 2 * caption_size : 0);
    std::string doc = Head(box, width, height);
    if (swept_width_) {
      doc += "<g stroke-width=\"" + Number(*swept_width_) + "\">\n";
      doc += swept_;
      doc += "</g>\n";
    }
    doc += "<g id=\"part\" stroke=\"#ff0000\">\n";
    for (const Path& hole : job_.sprocket.holes) AppendSvgPath(doc, hole, radii_);
    AppendSvgPath(doc, job_.sprocket.outline, radii_);
    doc += "</g>\n";
    doc += rapids_ + passes_ + entries_ + tabs_;
    doc += "</g>\n";
    if (caption) doc += Caption(box, caption_size);
    doc += "</svg>\n";
    return doc;
  }

 private:
  // The XML declaration, the root element, the title, the white background and the opening of
  // the group turned upside down.
  std::string Head(const Box& box, double width, double height) const {
    const std::string suffix = unit_ == 1 ? "in" : "mm";
    std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    doc += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(width) + suffix +
           "\" height=\"" + Number(height) + suffix + "\" viewBox=\"" + Number(box.min_x) + ' ' +
           Number(-box.max_y) + ' ' + Number(width) + ' ' + Number(height) + "\">\n";
    doc += "<title>Toolpath</title>\n";
    doc += "<rect x=\"" + Number(box.min_x) + "\" y=\"" + Number(-box.max_y) + "\" width=\"" +
           Number(width) + "\" height=\"" + Number(height) + "\" fill=\"#ffffff\"/>\n";
    doc += "<g transform=\"scale(1,-1)\" fill=\"none\" stroke-width=\"" + Number(kStroke * unit_) +
           "\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n";
    return doc;
  }

  std::string Caption(const Box& box, double caption_size) const {
    // Renderers hint letters badly at a size of a fraction of a unit: the text is set in units
    // kTextScale times smaller, and scaled back.
    const double k = unit_ == 1 ? kTextScale : kTextScale / 10;
    std::string text = "<text transform=\"scale(" + Number(1 / k) + ")\" x=\"" +
                       Number((box.min_x + caption_size / 2) * k) + "\" y=\"" +
                       Number((-box.min_y + 1.4 * caption_size) * k) +
                       "\" font-family=\"sans-serif\" font-size=\"" + Number(caption_size * k) +
                       "\" fill=\"#000000\">";
    text += kCompensationCaption;
    text += "</text>\n";
    return text;
  }

  const Job& job_;
  double unit_;  // drawing units per inch
  std::optional<double> swept_width_;
  double tab_half_;
  std::string dash_;
  Box drawn_;
  RadiusTexts radii_;
  std::string swept_, rapids_, passes_, entries_, tabs_;
};

}  // namespace

std::string WriteToolpathSvg(const Job& job) {
  SvgToolpath drawing(job);
  DrawToolpath(job.moves, drawing);
  return drawing.Document(Compensated(job.moves));
}

}  // namespace toothwright
