// The DXF drawing, built in one string: a header opening the ENTITIES section, three ARC
// entities per tooth in the order of the outline, and the tail closing the section and file.
#include "output/dxf.h"

#include <cassert>

#include "geometry/angles.h"
#include "output/decimal_text.h"
#include "output/profile_points.h"
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
double Degrees(ProfilePoint centre, ProfilePoint point) {
  return RadToDeg(Atan2(point.x - centre.x, point.y - centre.y));
}

// The two radii as text, worked out once: every flank and every seat has the same radius.
struct RadiusTexts {
  std::string flank;
  std::string seat;
};

// DXF arcs always run counter-clockwise from group 50 to group 51. Layer 0; no colour,
// linetype, handle or z coordinate. Group codes and values each take a line of their own.
void AppendArc(std::string& out, ProfilePoint centre, const std::string& radius, ProfilePoint from,
               ProfilePoint to) {
  out += "0\r\nARC\r\n8\r\n0\r\n10\r\n";
  AppendFourDecimals(out, centre.x);  // the profile stores four decimals
  out += "\r\n20\r\n";
  AppendFourDecimals(out, centre.y);
  out += "\r\n40\r\n";
  out += radius;
  out += "\r\n50\r\n";
  out += FormatReal(Degrees(centre, from));
  out += "\r\n51\r\n";
  out += FormatReal(Degrees(centre, to));
  out += "\r\n";
}

// Tooth i with next roller j: both flanks, then the seat of roller j, written from where the
// seat ends to where it begins so that it runs counter-clockwise round the side facing the
// sprocket centre.
void AppendTooth(std::string& out, const ToothProfile& p, int i, int j, const RadiusTexts& r) {
  AppendArc(out, Roller(p, j), r.flank, FlankStart(p, i), Tip(p, i));
  AppendArc(out, Roller(p, i), r.flank, Tip(p, i), FlankEnd(p, i));
  AppendArc(out, Roller(p, j), r.seat, FlankStart(p, j), FlankEnd(p, i));
}

}  // namespace

std::string WriteDxf(const ToothProfile& profile, double FlankRadius, double RollerRadius, double T,
                     int N) {
  assert(N >= 1 && profile.RollerX.size() > static_cast<size_t>(N));
  assert(T - 1 < N);  // the loop's next roller i + 1 stays within the profile

  std::string out;
  out.reserve(kHeader.size() + 3 * static_cast<size_t>(N) * kArcReserve + kTail.size());
  out += kHeader;
  const RadiusTexts radii{FormatReal(FlankRadius), FormatReal(RollerRadius)};
  ForEachTooth(T, N, [&](int i, int j) { AppendTooth(out, profile, i, j, radii); });
  out += kTail;
  return out;
}

}  // namespace toothwright
