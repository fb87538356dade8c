// Both drawings hold the drawing's own coordinates: the DXF as they are, the SVG in a group
// turned upside down by scale(1,-1), as the part's drawing does.
#include "output/drive_drawing.h"

#include "geometry/angles.h"
#include "geometry/extent.h"
#include "numbers/numbers.h"
#include "output/dxf.h"
#include "output/svg_path.h"

namespace toothwright {
namespace {

// A stroke about one screen pixel wide at true size (1/96 in), in the drawing's unit.
constexpr std::string_view kInchStroke = "0.01";
constexpr std::string_view kMillimetreStroke = "0.25";

// Where the drawing reaches: the outlines and every roller's circle.
Box DriveBox(const DriveLayout& drive, double roller_radius) {
  Box box;
  for (const Path& path : drive.driver_paths) box = Include(box, path);
  box = Include(box, drive.driven_outline);
  for (const Point& p : drive.rollers) {
    box = Include(box, Point{p.x - roller_radius, p.y - roller_radius});
    box = Include(box, Point{p.x + roller_radius, p.y + roller_radius});
  }
  return box;
}

// A group code and its value, each on a line of its own.
void AppendGroup(std::string& out, std::string_view code, const std::string& value) {
  out += code;
  out += "\r\n";
  out += value;
  out += "\r\n";
}

// Direction of point seen from centre, degrees in [0, 360).
std::string Degrees(Point centre, Point point) {
  return FormatReal(RadToDeg(Atan2(point.x - centre.x, point.y - centre.y)));
}

// A segment of the pitch line in blue. DXF arcs run counter-clockwise from group 50 to group
// 51, so a clockwise one is written from its end to its start.
void AppendPitchSegment(std::string& out, const Segment& s) {
  const bool ccw = s.kind == SegmentKind::CounterClockwiseArc;
  out += IsArc(s) ? "0\r\nARC\r\n8\r\n0\r\n62\r\n5\r\n" : "0\r\nLINE\r\n8\r\n0\r\n62\r\n5\r\n";
  if (!IsArc(s)) {
    AppendGroup(out, "10", FormatReal(s.start.x));
    AppendGroup(out, "20", FormatReal(s.start.y));
    AppendGroup(out, "11", FormatReal(s.end.x));
    AppendGroup(out, "21", FormatReal(s.end.y));
    return;
  }
  AppendGroup(out, "10", FormatReal(s.centre.x));
  AppendGroup(out, "20", FormatReal(s.centre.y));
  AppendGroup(out, "40", FormatReal(s.radius));
  AppendGroup(out, "50", Degrees(s.centre, ccw ? s.start : s.end));
  AppendGroup(out, "51", Degrees(s.centre, ccw ? s.end : s.start));
}

}  // namespace

std::string WriteDriveDxf(const Job& job) {
  const DriveLayout& drive = *job.drive;
  const bool inches = job.design.unit == LengthUnit::Inch;
  std::string out = "0\r\nSECTION\r\n2\r\nHEADER\r\n";
  out += inches ? "9\r\n$INSUNITS\r\n70\r\n1\r\n9\r\n$MEASUREMENT\r\n70\r\n0\r\n"
                : "9\r\n$INSUNITS\r\n70\r\n4\r\n9\r\n$MEASUREMENT\r\n70\r\n1\r\n";
  out += "0\r\nENDSEC\r\n0\r\nSECTION\r\n2\r\nENTITIES\r\n";
  RadiusTexts radii;
  for (const Path& path : drive.driver_paths) AppendDxfPath(out, path, radii);
  AppendDxfPath(out, drive.driven_outline, radii);
  for (const Segment& s : drive.pitch_line.segments) AppendPitchSegment(out, s);
  const std::string radius = FormatReal(job.sprocket.RollerRadius);
  for (const Point& p : drive.rollers) {
    out += "0\r\nCIRCLE\r\n8\r\n0\r\n62\r\n1\r\n";
    AppendGroup(out, "10", FormatReal(p.x));
    AppendGroup(out, "20", FormatReal(p.y));
    AppendGroup(out, "40", radius);
  }
  out += "0\r\nENDSEC\r\n0\r\nEOF\r\n";
  return out;
}

std::string WriteDriveSvg(const Job& job) {
  const DriveLayout& drive = *job.drive;
  const LengthUnit unit = job.design.unit;
  const Box box = DriveBox(drive, job.sprocket.RollerRadius);
  const std::string width = FormatReal(box.max_x - box.min_x);
  const std::string height = FormatReal(box.max_y - box.min_y);
  const std::string_view stroke = unit == LengthUnit::Inch ? kInchStroke : kMillimetreStroke;
  std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  doc += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + width + UnitName(unit) +
         "\" height=\"" + height + UnitName(unit) + "\" viewBox=\"" + FormatReal(box.min_x) + ' ' +
         FormatReal(-box.max_y) + ' ' + width + ' ' + height + "\">\n";
  doc += "<g transform=\"scale(1,-1)\" fill=\"none\" stroke-width=\"";
  doc += stroke;
  doc += "\">\n<g stroke=\"#000000\">\n";
  RadiusTexts radii;
  for (const Path& path : drive.driver_paths) AppendSvgPath(doc, path, radii);
  AppendSvgPath(doc, drive.driven_outline, radii);
  doc += "</g>\n<g stroke=\"#0000ff\" stroke-dasharray=\"";
  doc += FormatReal(job.design.tooth.pitch / 4);
  doc += "\">\n";
  AppendSvgPath(doc, drive.pitch_line, radii);
  doc += "</g>\n<g stroke=\"#ff0000\">\n";
  const std::string radius = FormatReal(job.sprocket.RollerRadius);
  for (const Point& p : drive.rollers) {
    doc += "<circle cx=\"" + FormatReal(p.x) + "\" cy=\"" + FormatReal(p.y) + "\" r=\"" + radius +
           "\"/>\n";
  }
  doc += "</g>\n</g>\n</svg>\n";
  return doc;
}

}  // namespace toothwright
