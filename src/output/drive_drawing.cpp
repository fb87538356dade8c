// Both drawings hold the drawing's own coordinates: the DXF as they are, the SVG in a group
// turned upside down by scale(1,-1), as the part's drawing does.
#include "output/drive_drawing.h"

#include "geometry/extent.h"
#include "numbers/numbers.h"
#include "output/drawing_svg.h"
#include "output/dxf.h"
#include "output/svg_path.h"

namespace toothwright {
namespace {

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

}  // namespace

std::string WriteDriveDxf(const Job& job) {
  const DriveLayout& drive = *job.drive;
  std::string out;
  AppendDxfOpening(out, job.design.unit);
  RadiusTexts radii;
  for (const Path& path : drive.driver_paths) AppendDxfPath(out, path, radii);
  AppendDxfPath(out, drive.driven_outline, radii);
  AppendDxfPath(out, drive.pitch_line, radii, DxfColour::Blue);
  const std::string radius = FormatReal(job.sprocket.RollerRadius);
  for (const Point& p : drive.rollers) AppendDxfCircle(out, p, radius, DxfColour::Red);
  AppendDxfClosing(out);
  return out;
}

std::string WriteDriveSvg(const Job& job) {
  const DriveLayout& drive = *job.drive;
  std::string doc;
  AppendSvgDrawingHead(doc, DriveBox(drive, job.sprocket.RollerRadius), job.design.unit);
  doc += "<g transform=\"scale(1,-1)\" fill=\"none\" stroke-width=\"";
  doc += SvgHairline(job.design.unit);
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
