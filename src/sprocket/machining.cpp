// Each machining field is off while blank; a set one must be wholly a number in its range, so
// that no text reaches the program that a controller would misread.
#include "sprocket/machining.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>

#include "sprocket/cutter_path.h"
#include "sprocket/numbers.h"
#include "sprocket/tabs.h"

namespace toothwright {
namespace {

// A pass is not cut this close below the full depth (as a share of it): 3 * 0.1 is a hair
// above 0.3 in binary, and a pass of that hair would be a second pass at full depth.
constexpr double kPassDepthSlack = 1e-9;

// Whether the program's FormatReal writes value without an exponent: it turns to exponent
// form below 1e-4 and from 1e15 up, and a controller reads the E as a word of its own
// ("Z-1E-05" is Z-1 and an E word).
bool WrittenPlain(double value) {
  return FormatReal(value).find('E') == std::string::npos;
}

// A height the program writes: above 0 and written without an exponent.
std::optional<double> PlainHeight(std::string_view text) {
  const std::optional<double> value = ParsePositive(text);
  if (!value || !WrittenPlain(*value)) return std::nullopt;
  return value;
}

// A number the program copies as typed (feed, spindle speed): above 0, and without an
// exponent, which ParseReal takes but a controller reads as a word of its own.
bool CopiedPlain(std::string_view text) {
  return ParsePositive(text) && text.find_first_of("Ee") == std::string_view::npos;
}

int HighestTooth(const Path& path) {
  int N = 0;
  for (const Segment& s : path.segments) N = std::max(N, s.tooth);
  return N;
}

double SmallestSeatRadius(const Path& path) {
  double smallest = std::numeric_limits<double>::infinity();
  for (const Segment& s : path.segments) {
    if (s.role == SegmentRole::Seat) smallest = std::min(smallest, s.radius);
  }
  return smallest;
}

// The depths of the passes above the full depth, k * step for k = 1, 2, ... while below the
// full depth less its slack; at most `limit` of them.
std::vector<double> ShallowPasses(double depth, double step, size_t limit) {
  std::vector<double> depths;
  for (double k = 1; k * step < depth - kPassDepthSlack * depth && depths.size() < limit; ++k) {
    depths.push_back(k * step);
  }
  return depths;
}

}  // namespace

std::optional<double> ReadDepthOfCut(std::string_view text) {
  if (IsBlank(text)) return 0.0;
  const std::optional<double> depth = ParseReal(text);
  if (!depth || !WrittenPlain(*depth)) return std::nullopt;
  return depth;
}

bool FeedRatePasses(std::string_view text) {
  return IsBlank(text) || CopiedPlain(text);
}

std::vector<double> PassDepths(const MachiningOptions& options) {
  std::vector<double> depths;
  if (options.depth_per_pass) {
    depths = ShallowPasses(options.depth, *options.depth_per_pass, kMaxPasses);
  }
  depths.push_back(options.depth);
  return depths;
}

std::optional<ValidationMessage> CheckMachining(const FieldTexts& fields,
                                                const std::function<const Path&()>& build_outline) {
  const Path* outline = nullptr;
  const auto the_outline = [&]() -> const Path& {
    if (!outline) outline = &build_outline();
    return *outline;
  };
  // The depth and feed have passed their own checks by now.
  const double depth = std::fabs(ReadDepthOfCut(fields.depth).value_or(0));

  std::optional<Path> written;  // the path the program writes for the outline
  if (!IsBlank(fields.tool_diameter)) {
    const std::optional<double> tool = ParsePositive(fields.tool_diameter);
    // The program writes either the cutter's path or G42 for the controller, never both.
    if (!tool || fields.offset) return ValidationMessage{kToolDiameterMessage};
    // A cutter as wide as a seat cannot reach into it: the seat's offset would vanish.
    if (!(*tool / 2 < SmallestSeatRadius(the_outline()))) {
      return ValidationMessage{kToolDiameterMessage};
    }
    written = CutterPath(the_outline(), *tool);
    if (!written) return ValidationMessage{kToolDiameterMessage};
  }

  if (!IsBlank(fields.depth_per_pass)) {
    // Every pass lies between the step and the full depth, so it is written plain too.
    const std::optional<double> step = PlainHeight(fields.depth_per_pass);
    if (!step || ShallowPasses(depth, *step, kMaxPasses).size() >= kMaxPasses) {
      return ValidationMessage{kDepthPerPassMessage};
    }
  }

  if (!IsBlank(fields.tabs)) {
    const std::optional<int> count = ParseCount(fields.tabs, 1, HighestTooth(the_outline()));
    if (!count) return ValidationMessage{kTabsMessage};
    const std::optional<double> width = ParsePositive(fields.tab_width);
    if (!width || !(*width < RoomForTabs(written ? *written : the_outline(), *count))) {
      return ValidationMessage{kTabWidthMessage};
    }
    const std::optional<double> height = ParsePositive(fields.tab_height);
    if (!height || !(*height < depth) || !WrittenPlain(depth - *height)) {
      return ValidationMessage{kTabHeightMessage};
    }
  } else if (!IsBlank(fields.tab_width) || !IsBlank(fields.tab_height)) {
    // A tab size without a number of tabs would silently cut the part free.
    return ValidationMessage{kTabsMessage};
  }

  if (!IsBlank(fields.safe_z) && !PlainHeight(fields.safe_z)) {
    return ValidationMessage{kSafeZMessage};
  }
  if (!IsBlank(fields.spindle) && !CopiedPlain(fields.spindle)) {
    return ValidationMessage{kSpindleMessage};
  }
  return std::nullopt;
}

MachiningOptions ReadMachining(const FieldTexts& fields) {
  MachiningOptions o;
  o.depth = std::fabs(ReadDepthOfCut(fields.depth).value_or(0));
  if (!IsBlank(fields.tool_diameter)) o.tool_diameter = ParseReal(fields.tool_diameter);
  if (!IsBlank(fields.depth_per_pass)) o.depth_per_pass = ParseReal(fields.depth_per_pass);
  if (!IsBlank(fields.tabs)) {
    o.tabs = HoldingTabs{.count = static_cast<int>(ParseReal(fields.tabs).value_or(0)),
                         .width = ParseReal(fields.tab_width).value_or(0),
                         .height = ParseReal(fields.tab_height).value_or(0)};
  }
  if (!IsBlank(fields.safe_z)) o.safe_z = ParseReal(fields.safe_z);
  if (!IsBlank(fields.spindle)) o.spindle = fields.spindle;
  o.program_end = fields.program_end;
  return o;
}

}  // namespace toothwright
