// The DXF drawing, built in one string: the HEADER section when asked for, a header opening
// the ENTITIES section, one entity per segment of each path in order (or one polyline per
// path), and the tail closing the section and file.
#include "output/dxf.h"

#include <array>
#include <cassert>
#include <cctype>
#include <charconv>
#include <cmath>
#include <utility>
#include <vector>

#include "geometry/angles.h"
#include "geometry/segment.h"
#include "numbers/numbers.h"
#include "output/decimal_text.h"

namespace toothwright {
namespace {

// Every line, the last included, ends in CR LF.
constexpr std::string_view kHeader = "0\r\nSECTION\r\n2\r\nENTITIES\r\n";
// The first handle of a polyline; lower ones are left to a reader's own tables.
constexpr unsigned kFirstHandle = 0x100;
constexpr std::string_view kTail = "0\r\nENDSEC\r\n0\r\nEOF\r\n";
// Room for one ARC entity: its fixed lines and five numbers of up to 16 characters each.
constexpr size_t kArcReserve = 130;

// Direction of point seen from centre, degrees in [0, 360), used as it comes: an arc through
// the +X direction gets a start angle larger than its end angle.
double Degrees(Point centre, Point point) {
  return RadToDeg(Atan2(point.x - centre.x, point.y - centre.y));
}

void AppendCoordinate(std::string& out, std::string_view x_code, double x, std::string_view y_code,
                      double y) {
  out += x_code;
  AppendFourDecimals(out, x);  // outline points and centres hold four decimals
  out += y_code;
  AppendFourDecimals(out, y);
  out += "\r\n";
}

// The colour group after the layer, left out for ByLayer.
void AppendColour(std::string& out, DxfColour colour) {
  if (colour == DxfColour::ByLayer) return;
  out += "\r\n62\r\n";
  out += std::to_string(static_cast<int>(colour));
}

// DXF arcs always run counter-clockwise from group 50 to group 51, so a clockwise segment is
// written from its end to its start. Layer 0; no linetype, handle or z coordinate.
// Group codes and values each take a line of their own.
void AppendArc(std::string& out, const Segment& s, const std::string& radius, DxfColour colour) {
  const bool ccw = s.kind == SegmentKind::CounterClockwiseArc;
  out += "0\r\nARC\r\n8\r\n0";
  AppendColour(out, colour);
  AppendCoordinate(out, "\r\n10\r\n", s.centre.x, "\r\n20\r\n", s.centre.y);
  out += "40\r\n";
  out += radius;
  out += "\r\n50\r\n";
  out += FormatReal(Degrees(s.centre, ccw ? s.start : s.end));
  out += "\r\n51\r\n";
  out += FormatReal(Degrees(s.centre, ccw ? s.end : s.start));
  out += "\r\n";
}

void AppendLine(std::string& out, const Segment& s, DxfColour colour) {
  out += "0\r\nLINE\r\n8\r\n0";
  AppendColour(out, colour);
  AppendCoordinate(out, "\r\n10\r\n", s.start.x, "\r\n20\r\n", s.start.y);
  AppendCoordinate(out, "11\r\n", s.end.x, "\r\n21\r\n", s.end.y);
}

std::string Hex(unsigned value) {
  std::array<char, 16> digits{};
  const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value, 16);
  std::string text(digits.data(), result.ptr);
  for (char& ch : text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return text;
}

// One closed LWPOLYLINE (AC1015): handle, subclass markers, layer 0, the vertex count, flag 1
// (closed), and per segment its start point and, for an arc, the bulge: the tangent of a
// quarter of its sweep, negative when it turns clockwise.
void AppendPolyline(std::string& out, const Path& path, unsigned handle) {
  out += "0\r\nLWPOLYLINE\r\n5\r\n";
  out += Hex(handle);
  out += "\r\n100\r\nAcDbEntity\r\n8\r\n0\r\n100\r\nAcDbPolyline\r\n90\r\n";
  out += std::to_string(path.segments.size());
  out += "\r\n70\r\n1\r\n";
  for (const Segment& s : path.segments) {
    AppendCoordinate(out, "10\r\n", s.start.x, "\r\n20\r\n", s.start.y);
    if (IsArc(s)) {
      const double sweep = SegmentLength(s) / s.radius;
      const double bulge = std::tan(sweep / 4);
      out += "42\r\n";
      out += FormatReal(s.kind == SegmentKind::ClockwiseArc ? -bulge : bulge);
      out += "\r\n";
    }
  }
}

void AppendHeader(std::string& out, const DxfSettings& settings, unsigned handle_seed) {
  out += "0\r\nSECTION\r\n2\r\nHEADER\r\n";
  if (settings.polyline) {
    out += "9\r\n$ACADVER\r\n1\r\nAC1015\r\n9\r\n$HANDSEED\r\n5\r\n";
    out += Hex(handle_seed);
    out += "\r\n";
  }
  if (settings.units) {
    out += settings.unit == LengthUnit::Inch
               ? "9\r\n$INSUNITS\r\n70\r\n1\r\n9\r\n$MEASUREMENT\r\n70\r\n0\r\n"
               : "9\r\n$INSUNITS\r\n70\r\n4\r\n9\r\n$MEASUREMENT\r\n70\r\n1\r\n";
  }
  out += "0\r\nENDSEC\r\n";
}

}  // namespace

void AppendDxfPath(std::string& out, const Path& path, RadiusTexts& radii, DxfColour colour) {
  for (const Segment& s : path.segments) {
    if (IsArc(s)) {
      AppendArc(out, s, radii.Of(s.radius), colour);
    } else {
      AppendLine(out, s, colour);
    }
  }
}

void AppendDxfCircle(std::string& out, Point centre, const std::string& radius, DxfColour colour) {
  out += "0\r\nCIRCLE\r\n8\r\n0";
  AppendColour(out, colour);
  AppendCoordinate(out, "\r\n10\r\n", centre.x, "\r\n20\r\n", centre.y);
  out += "40\r\n";
  out += radius;
  out += "\r\n";
}

void AppendDxfOpening(std::string& out, LengthUnit unit) {
  AppendHeader(out, {.units = true, .unit = unit}, kFirstHandle);
  out += kHeader;
}

void AppendDxfClosing(std::string& out) {
  out += kTail;
}

std::string WriteDxf(const Path& outline, const std::vector<Path>& holes,
                     const DxfSettings& settings) {
  size_t segments = outline.segments.size();
  for (const Path& hole : holes) segments += hole.segments.size();
  std::string out;
  out.reserve(kHeader.size() + segments * kArcReserve + kTail.size());
  const unsigned handle_seed = kFirstHandle + static_cast<unsigned>(holes.size()) + 1;
  if (settings.units || settings.polyline) AppendHeader(out, settings, handle_seed);
  out += kHeader;
  if (settings.polyline) {
    unsigned handle = kFirstHandle;
    for (const Path& hole : holes) AppendPolyline(out, hole, handle++);
    AppendPolyline(out, outline, handle);
  } else {
    RadiusTexts radii;
    for (const Path& hole : holes) AppendDxfPath(out, hole, radii);
    AppendDxfPath(out, outline, radii);
  }
  out += kTail;
  return out;
}

std::string WriteDxf(const Job& job) {
  const Design& d = job.design;
  return WriteDxf(job.sprocket.outline, job.sprocket.holes,
                  {.units = d.dxf_units, .unit = d.unit, .polyline = d.dxf_polyline});
}

}  // namespace toothwright
