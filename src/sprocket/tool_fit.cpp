// The shrinking arcs are the clockwise ones: each contour is offset to its right, which lies
// towards the centre of a clockwise arc.
#include "sprocket/tool_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "numbers/numbers.h"

namespace toothwright {
namespace {

// Added to the limit in ten-thousandths before it is rounded down, so that a limit that is a
// whole number of them (2 * (0.15625 - 0.0002) = 0.3121) is not taken one step lower for the
// binary error of its subtraction.
constexpr double kLimitSlack = 1e-6;
constexpr double kTenThousandths = 10000;

}  // namespace

double LargestToolDiameter(std::span<const Path> contours, LengthUnit unit) {
  double smallest = std::numeric_limits<double>::infinity();
  for (const Path& contour : contours) {
    for (const Segment& s : contour.segments) {
      if (s.kind == SegmentKind::ClockwiseArc) smallest = std::min(smallest, s.radius);
    }
  }
  if (std::isinf(smallest)) return smallest;
  const double smallest_cutter_arc =
      unit == LengthUnit::Inch ? kSmallestCutterArcInches : kSmallestCutterArcMillimetres;
  const double limit = 2 * (smallest - smallest_cutter_arc);
  return std::floor(limit * kTenThousandths + kLimitSlack) / kTenThousandths;
}

bool ToolFits(std::span<const Path> contours, double tool_diameter, LengthUnit unit) {
  return tool_diameter <= LargestToolDiameter(contours, unit);
}

std::string LargestToolReason(double largest, LengthUnit unit, std::string_view what,
                              std::string_view noun) {
  const double shown = ShownBound(largest, unit, Bound::AtMost);
  if (!(shown > 0)) {
    return "No " + std::string(noun) + " fits " +
           (what.empty() ? std::string("the part's smallest arc") : std::string(what));
  }
  std::string reason = "The largest " + std::string(noun) + " that fits ";
  if (!what.empty()) reason.append(what).append(" ");
  return reason + "is " + LengthText(shown, unit);
}

}  // namespace toothwright
