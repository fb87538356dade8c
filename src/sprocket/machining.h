// How the program cuts: the depth of cut and feed read strictly, and the machining options of
// the More panel (computed cutter path, passes, holding tabs, safe height, spindle, program
// end), checked and read from their field texts. Lengths are in the current unit.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "geometry/path.h"
#include "numbers/units.h"
#include "sprocket/fields.h"

namespace toothwright {

// The most passes a depth per pass may ask for: each pass repeats every move of the contour,
// and a program a thousand times the size of one pass is a typing slip, not a plan.
inline constexpr size_t kMaxPasses = 100;

// The ramp angles a design takes, in degrees.
inline constexpr double kShallowestRamp = 1;
inline constexpr double kSteepestRamp = 45;

struct HoldingTabs {
  int count = 0;      // 1 to the number of teeth
  double width = 0;   // > 0: the length of the part's edge each tab leaves attached
  double height = 0;  // > 0 and below the full depth; 0 for a beam, which leaves tabs whole
};

// Which way the cutter runs along the part's edge, for a spindle turning clockwise (M3).
// Conventional: the cutter on the right of its travel (G42), outline counter-clockwise and
// holes clockwise. Climb: on the left (G41), every contour travelled the other way round.
enum class CutDirection : unsigned char { Conventional, Climb };

// What cuts the part: a milling cutter, or a beam that cuts through the plate wherever it is on
// (a laser in Grbl's laser mode, a plasma torch, a waterjet).
enum class Process : unsigned char { Mill, Laser, Plasma, Waterjet };

// How a beam is switched on and held over each contour; lengths in the part's unit.
struct BeamOptions {
  std::string power;         // laser: written after "M4 S" as typed
  int passes = 1;            // laser: 1 to kMostBeamPasses times round each contour, without a stop
  std::string pierce_delay;  // plasma, waterjet: seconds after "G4 P", as typed
  double delay_seconds = 0;  // the same as a number
  // Plasma, waterjet: the heights the torch travels across at, comes down to and starts at,
  // and cuts at (travel >= pierce >= cut, each > 0); none where the program writes no height.
  std::optional<double> travel_height;
  bool travel_two_units = false;  // the travel height is the mill's retract, "Z2.00"
  std::optional<double> pierce_height;
  std::optional<double> cut_height;
};

// The most times round a contour a laser is asked to go.
inline constexpr int kMostBeamPasses = 50;

struct MachiningOptions {
  double depth = 0;                      // full depth of cut, >= 0: the depth's magnitude
  std::optional<double> tool_diameter;   // > 0: the program writes the cutter centre's path
  std::optional<double> depth_per_pass;  // > 0: the contour is cut in passes
  std::optional<HoldingTabs> tabs;       // on the contour that has teeth
  std::optional<double> safe_z;          // > 0: the first and the last rapid height
  std::string spindle;                   // as typed; empty: no spindle start or stop
  bool program_end = false;              // "M2" ends the program
  // Every move down (plunges, pass steps, descents after tabs) at this feed, as typed; the
  // cutting feed is written again on the next move across. Empty: moves down at the cutting
  // feed.
  std::string plunge_feed;
  CutDirection direction = CutDirection::Conventional;
  // Degrees, 1 to 45: each pass goes down along the cutter's path at this angle instead of
  // straight down (RampedPasses). None: passes plunge.
  std::optional<double> ramp_angle;
  // With a tool diameter (a mill's), or a beam: radius > 0 of the quarter circles each
  // contour is entered and left along in the waste (LeadArcs); the outline is then entered at
  // the tip of its first tooth without a tab. None: each contour is entered at its start.
  // For a beam the tool diameter is the kerf.
  std::optional<double> lead_in;
  Process process = Process::Mill;
  BeamOptions beam;  // for every process but the mill
};

// Whether the program follows a path made for each contour (Toolpath) rather than the contour
// itself: for a computed cutter path, tabs, the climb direction or ramps.
inline bool ReshapesContours(const MachiningOptions& m) {
  return m.tool_diameter || m.tabs || m.direction == CutDirection::Climb || m.ramp_angle ||
         m.lead_in;
}

inline bool IsBeam(const MachiningOptions& m) {
  return m.process != Process::Mill;
}

// The field that sets how wide the program's path cuts, which the program follows half of
// away from the part: a mill's tool diameter, or a beam's kerf.
struct CutWidthField {
  Field field = Field::ToolDiameter;
  std::string FieldTexts::*text = &FieldTexts::tool_diameter;
  const char* noun = "tool";  // what reasons call it
};

inline CutWidthField CutWidthOf(Process process) {
  if (process == Process::Mill) return {};
  return {.field = Field::Kerf, .text = &FieldTexts::kerf, .noun = "kerf"};
}

// The depth of cut's value: 0 when blank, else the whole text read strictly (ParseReal);
// nullopt when it is not wholly a number, or when the program would write it in exponent
// form (non-zero below 1e-4, or from 1e15 up). The sign is kept; the program cuts its
// magnitude.
std::optional<double> ReadDepthOfCut(std::string_view text);

// A height the program writes: the text wholly a number above 0 that the program writes
// without an exponent; nullopt otherwise.
std::optional<double> PlainHeight(std::string_view text);

// A number the program copies as typed (feed, spindle speed, power, pierce delay): above 0,
// and without an exponent, which ParseReal takes but a controller reads as a word of its own.
bool CopiedPlain(std::string_view text);

// A feed rate passes when blank, or wholly a number above 0 without an exponent; it is
// written as typed.
bool FeedRatePasses(std::string_view text);

// The depths of the passes, each > 0 unless the full depth is 0: k * depth_per_pass for
// k = 1, 2, ... while below the full depth (less 1e-9 of it), then the full depth exactly.
// Without a depth per pass, the full depth alone. Each is the number the program writes (15
// significant digits), so that depths compare as a reader of the program sees them.
std::vector<double> PassDepths(const MachiningOptions& options);

// The depth of the tabs' top as the program writes it; with tabs only.
std::optional<double> TabDepth(const MachiningOptions& options);

// The outline the machining options are judged on, built only when a check measures it (a
// tool diameter or tabs); what it built is kept, so that the run builds each path once.
class MeasuredOutline {
 public:
  // build makes the outline and returns it; the caller keeps it for as long as this lives.
  explicit MeasuredOutline(std::function<const Path&()> build) : build_(std::move(build)) {}
  const Path& Outline();
  // The outline's cutter path for the tool (CutterPath), made once.
  const std::optional<Path>& CutterPathFor(double tool_diameter);
  std::optional<Path> TakeCutterPath() { return std::move(cutter_path_); }

 private:
  std::function<const Path&()> build_;
  const Path* outline_ = nullptr;
  std::optional<Path> cutter_path_;
  bool cutter_path_made_ = false;
};

// Reads and checks the machining options of fields whose chain, depth, feed and tooth-form
// fields have passed, in the order tool diameter (for a beam: the kerf), depth per pass, tabs,
// tab width, tab height (a mill's only), safe Z, spindle speed; the first failure, or the
// options, their process set and its beam left for the caller. Every height the program
// writes (each pass, the tabs' top, the safe Z) must come out without an exponent, and the
// spindle speed, copied as typed, must hold none. A tool diameter must have passed the
// design's check against the arcs it cuts round (ToolFits) first. unit names the length unit
// in reasons, which name the values that would pass.
std::variant<MachiningOptions, FieldError> ReadMachining(const FieldTexts& fields,
                                                         MeasuredOutline& outline, LengthUnit unit,
                                                         Process process = Process::Mill);

}  // namespace toothwright
