// Each machining field is off while blank; a set one must be wholly a number in its range, so
// that no text reaches the program that a controller would misread.
#include "sprocket/machining.h"

#include <cassert>
#include <cmath>
#include <string>

#include "numbers/numbers.h"
#include "sprocket/cutter_path.h"
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

// A height as the program writes it (15 significant digits), so that heights are compared as
// a reader of the program sees them: 0.15 - 0.05 is a hair below 0.1 in binary, and a pass at
// 0.1 would otherwise rise over tabs to the very height it cuts at.
double AsWritten(double height) {
  return ParseReal(FormatReal(height)).value_or(height);
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

std::optional<double> PlainHeight(std::string_view text) {
  const std::optional<double> value = ParsePositive(text);
  if (!value || !WrittenPlain(*value)) return std::nullopt;
  return value;
}

bool CopiedPlain(std::string_view text) {
  return ParsePositive(text) && text.find_first_of("Ee") == std::string_view::npos;
}

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
  for (double& depth : depths) depth = AsWritten(depth);
  return depths;
}

std::optional<double> TabDepth(const MachiningOptions& options) {
  // A beam's tabs are left uncut whole: there is no height to rise to.
  if (!options.tabs || IsBeam(options)) return std::nullopt;
  return AsWritten(options.depth - options.tabs->height);
}

const Path& MeasuredOutline::Outline() {
  if (!outline_) outline_ = &build_();
  return *outline_;
}

const std::optional<Path>& MeasuredOutline::CutterPathFor(double tool_diameter) {
  if (!cutter_path_made_) {
    cutter_path_ = CutterPath(Outline(), tool_diameter);
    cutter_path_made_ = true;
  }
  return cutter_path_;
}

namespace {

// The tool diameter (or a beam's kerf) into o.tool_diameter: a number above 0, without the
// controller's offset, and able to follow the teeth all round (the design has judged it
// against their arcs).
std::optional<FieldError> ReadToolDiameter(const FieldTexts& fields, MeasuredOutline& outline,
                                           LengthUnit unit, MachiningOptions& o) {
  const CutWidthField width = CutWidthOf(o.process);
  const std::string& text = fields.*width.text;
  if (IsBlank(text)) return std::nullopt;
  const std::optional<double> tool = ParsePositive(text);
  if (!tool) return Refuse(width.field, NumberReason(text));
  // The program writes either the cutter's path or G42 for the controller, never both.
  if (fields.offset) {
    return Refuse(width.field,
                  "The controller's tool offset and a computed cutter path exclude each other");
  }
  const std::optional<Path>& path = outline.CutterPathFor(*tool);
  if (!path) {
    return Refuse(width.field, std::string(IsBeam(o) ? "The cut" : "The cutter") + " (" +
                                   LengthText(*tool, unit) + ") cannot follow the teeth all round");
  }
  o.tool_diameter = tool;
  return std::nullopt;
}

// The depth per pass into o.depth_per_pass, for o.depth: a plain height asking for at most
// kMaxPasses passes.
std::optional<FieldError> ReadDepthPerPass(const FieldTexts& fields, LengthUnit unit,
                                           MachiningOptions& o) {
  if (IsBlank(fields.depth_per_pass)) return std::nullopt;
  // Every pass lies between the step and the full depth, so it is written plain too.
  o.depth_per_pass = PlainHeight(fields.depth_per_pass);
  if (!o.depth_per_pass) return Refuse(Field::DepthPerPass, NumberReason(fields.depth_per_pass));
  const auto too_many = [&](double step) {
    return ShallowPasses(o.depth, step, kMaxPasses).size() >= kMaxPasses;
  };
  if (too_many(*o.depth_per_pass)) {
    double least = ShownBound(o.depth / kMaxPasses, unit, Bound::AtLeast);
    while (too_many(least)) least = ShownBound(least, unit, Bound::Above);
    return Refuse(Field::DepthPerPass, "At most " + std::to_string(kMaxPasses) +
                                           " passes: the depth per pass must be at least " +
                                           LengthText(least, unit));
  }
  return std::nullopt;
}

// The tabs' width and height, given a count of tabs; the tabs or the first failure.
std::variant<HoldingTabs, FieldError> ReadTabSize(const FieldTexts& fields, int count,
                                                  MeasuredOutline& outline, double depth,
                                                  LengthUnit unit, Process process) {
  const std::optional<double> width = ParsePositive(fields.tab_width);
  if (!width) return Refuse(Field::TabWidth, NumberReason(fields.tab_width));
  // A tab's width is the length of the part's edge it leaves attached.
  const double room = RoomForTabs(outline.Outline(), count);
  if (!(*width < room)) {
    return Refuse(Field::TabWidth,
                  "A tab must be shorter than a tooth's stretch between its seats: at most " +
                      BoundText(room, unit, Bound::Below));
  }
  // A beam leaves each tab whole, as high as the plate.
  if (process != Process::Mill) return HoldingTabs{.count = count, .width = *width};
  const std::optional<double> height = ParsePositive(fields.tab_height);
  if (!height) return Refuse(Field::TabHeight, NumberReason(fields.tab_height));
  // The tab's top is written too: it must stay a plain number above 0.
  const auto fits = [&](double h) { return h < depth && WrittenPlain(depth - h); };
  if (!fits(*height)) {
    double most = ShownBound(depth, unit, Bound::Below);
    while (most > 0 && !fits(most)) most = ShownBound(most, unit, Bound::Below);
    std::string reason =
        "A tab must be lower than the depth of cut (" + LengthText(depth, unit) + ")";
    if (most > 0) reason += ": at most " + LengthText(most, unit);
    return Refuse(Field::TabHeight, reason);
  }
  return HoldingTabs{.count = count, .width = *width, .height = *height};
}

// The holding tabs into o.tabs: a count from 1 to the number of teeth, then their size.
std::optional<FieldError> ReadTabs(const FieldTexts& fields, MeasuredOutline& outline,
                                   LengthUnit unit, MachiningOptions& o) {
  if (IsBlank(fields.tabs)) {
    // A tab size without a number of tabs would silently cut the part free.
    if (!IsBlank(fields.tab_width) || !IsBlank(fields.tab_height)) {
      return Refuse(Field::Tabs, "A tab width or height needs a number of tabs");
    }
    return std::nullopt;
  }
  const int teeth = HighestTooth(outline.Outline());
  const std::optional<int> count = ParseCount(fields.tabs, 1, teeth);
  if (!count)
    return Refuse(Field::Tabs, "From 1 to " + std::to_string(teeth) + " tabs, one a tooth");
  auto tabs = ReadTabSize(fields, *count, outline, o.depth, unit, o.process);
  if (auto* error = std::get_if<FieldError>(&tabs)) return std::move(*error);
  o.tabs = std::get<HoldingTabs>(tabs);
  return std::nullopt;
}

// The safe Z and the spindle speed into o.
std::optional<FieldError> ReadHeightAndSpindle(const FieldTexts& fields, MachiningOptions& o) {
  if (!IsBlank(fields.safe_z)) {
    o.safe_z = PlainHeight(fields.safe_z);
    if (!o.safe_z) return Refuse(Field::SafeZ, NumberReason(fields.safe_z));
  }
  if (!IsBlank(fields.spindle)) {
    if (!CopiedPlain(fields.spindle)) return Refuse(Field::Spindle, NumberReason(fields.spindle));
    o.spindle = fields.spindle;
  }
  return std::nullopt;
}

}  // namespace

std::variant<MachiningOptions, FieldError> ReadMachining(const FieldTexts& fields,
                                                         MeasuredOutline& outline, LengthUnit unit,
                                                         Process process) {
  MachiningOptions o{.process = process};
  // The depth and feed have passed their own checks by now.
  o.depth = std::fabs(ReadDepthOfCut(fields.depth).value_or(0));
  if (auto error = ReadToolDiameter(fields, outline, unit, o)) return *std::move(error);
  if (auto error = ReadDepthPerPass(fields, unit, o)) return *std::move(error);
  if (auto error = ReadTabs(fields, outline, unit, o)) return *std::move(error);
  if (auto error = ReadHeightAndSpindle(fields, o)) return *std::move(error);
  o.program_end = fields.program_end;
  return o;
}

}  // namespace toothwright
