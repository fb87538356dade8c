// The DXF drawing, built in one string: a header opening the ENTITIES section, one entity per
// segment of each path in order, and the tail closing the section and file.
#include "output/dxf.h"

#include <cassert>
#include <utility>
#include <vector>

#include "geometry/angles.h"
#include "output/decimal_text.h"
#include "sprocket/numbers.h"

namespace toothwright {
namespace {

// Every line, the last included, ends in CR LF.
constexpr std::string_view kHeader = "0\r\nSECTION\r\n2\r\nENTITIES\r\n";
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

// DXF arcs always run counter-clockwise from group 50 to group 51, so a clockwise segment is
// written from its end to its start. Layer 0; no colour, linetype, handle or z coordinate.
// Group codes and values each take a line of their own.
void AppendArc(std::string& out, const Segment& s, const std::string& radius) {
  const bool ccw = s.kind == SegmentKind::CounterClockwiseArc;
  out += "0\r\nARC\r\n8\r\n0";
  AppendCoordinate(out, "\r\n10\r\n", s.centre.x, "\r\n20\r\n", s.centre.y);
  out += "40\r\n";
  out += radius;
  out += "\r\n50\r\n";
  out += FormatReal(Degrees(s.centre, ccw ? s.start : s.end));
  out += "\r\n51\r\n";
  out += FormatReal(Degrees(s.centre, ccw ? s.end : s.start));
  out += "\r\n";
}

void AppendLine(std::string& out, const Segment& s) {
  out += "0\r\nLINE\r\n8\r\n0";
  AppendCoordinate(out, "\r\n10\r\n", s.start.x, "\r\n20\r\n", s.start.y);
  AppendCoordinate(out, "11\r\n", s.end.x, "\r\n21\r\n", s.end.y);
}

void AppendPath(std::string& out, const Path& path, RadiusTexts& radii) {
  for (const Segment& s : path.segments) {
    if (IsArc(s)) {
      AppendArc(out, s, radii.Of(s.radius));
    } else {
      AppendLine(out, s);
    }
  }
}

}  // namespace

std::string WriteDxf(const Path& outline, const std::vector<Path>& holes) {
  size_t segments = outline.segments.size();
  for (const Path& hole : holes) segments += hole.segments.size();
  std::string out;
  out.reserve(kHeader.size() + segments * kArcReserve + kTail.size());
  out += kHeader;
  RadiusTexts radii;
  for (const Path& hole : holes) AppendPath(out, hole, radii);
  AppendPath(out, outline, radii);
  out += kTail;
  return out;
}

std::string WriteDxf(const Job& job) {
  return WriteDxf(job.sprocket.outline, job.sprocket.holes);
}

}  // namespace toothwright
