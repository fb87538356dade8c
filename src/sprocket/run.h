// The sprocket part of a run: the field texts in, either the one validation message or the
// pitch diameter text, the derived dimensions, the tooth profile and the outside diameter
// text out. No window is involved; the window and the CLI place the results.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "geometry/path.h"
#include "sprocket/mounting.h"
#include "sprocket/tooth_profile.h"

namespace toothwright {

// The texts of the window's fields as a run reads them.
struct FieldTexts {
  std::string pitch;              // txtPitch, current length unit
  std::string teeth;              // txtNumberofTeeth
  std::string roller;             // txtRollerDiameter, current length unit
  std::string units = "English";  // ComboUnits: "English" (inches), anything else millimetres
  std::string depth;              // txtCutDepth
  std::string feed;               // txtFeedRate
  bool offset = false;            // Check1 ticked: "Include Tool Offset Right Code"

  // The options of the window's More panel. Every one is off when its text is blank (or its
  // box unticked), and the outputs are then exactly those of the fields above alone.
  // Lengths are in the current unit.
  // Tooth form.
  std::string seat_clearance;  // added to the roller radius for the seats: a length >= 0 or "ANSI"
  std::string tip_diameter;    // teeth topped at this diameter: a length or "ANSI"
  // Machining.
  std::string tool_diameter;   // the program writes the cutter centre's path; excludes offset
  std::string depth_per_pass;  // the contour is cut in passes this much deeper each
  std::string tabs;            // number of holding tabs
  std::string tab_width;       // length of each tab along the path
  std::string tab_height;      // height of each tab above the full depth
  std::string safe_z;          // height for the first and last rapid moves
  std::string spindle;         // spindle speed, copied after "S" as typed
  bool program_end = false;    // "M2" ends the program
  // Mounting.
  std::string bore;                // diameter of the bore about the centre
  std::string keyway_width;        // keyway in the bore's edge on +Y; needs a bore
  std::string keyway_depth;        // from the bore's edge to the keyway's far side
  std::string bolt_holes;          // number of holes on the bolt circle
  std::string bolt_hole_diameter;  // diameter of each bolt hole
  std::string bolt_circle;         // diameter of the circle through the holes' centres
};

inline constexpr const char* kPitchMessage = "Not a valid value for pitch";
inline constexpr const char* kTeethMessage = "Not a valid value for number of teeth";
inline constexpr const char* kRollerMessage = "Not a valid value for roller diameter";
inline constexpr const char* kDepthMessage = "Not a valid value for depth of cut";
inline constexpr const char* kFeedMessage = "Not a valid value for feed rate";
inline constexpr const char* kSeatClearanceMessage = "Not a valid value for seat clearance";
inline constexpr const char* kTipDiameterMessage = "Not a valid value for tip diameter";
inline constexpr const char* kToolDiameterMessage = "Not a valid value for tool diameter";
inline constexpr const char* kDepthPerPassMessage = "Not a valid value for depth per pass";
inline constexpr const char* kTabsMessage = "Not a valid value for tabs";
inline constexpr const char* kTabWidthMessage = "Not a valid value for tab width";
inline constexpr const char* kTabHeightMessage = "Not a valid value for tab height";
inline constexpr const char* kSafeZMessage = "Not a valid value for safe Z";
inline constexpr const char* kSpindleMessage = "Not a valid value for spindle speed";
inline constexpr const char* kBoreMessage = "Not a valid value for bore diameter";
inline constexpr const char* kKeywayWidthMessage = "Not a valid value for keyway width";
inline constexpr const char* kKeywayDepthMessage = "Not a valid value for keyway depth";
inline constexpr const char* kBoltHolesMessage = "Not a valid value for bolt holes";
inline constexpr const char* kBoltHoleDiameterMessage = "Not a valid value for bolt hole diameter";
inline constexpr const char* kBoltCircleMessage = "Not a valid value for bolt circle";

// The largest tooth count a run accepts.
inline constexpr int kMaxTeeth = 10000;

struct ValidationMessage {
  std::string text;  // one of the k*Message texts
  bool operator==(const ValidationMessage&) const = default;
};

// The checks a run makes before it changes anything, in the order pitch, number of teeth,
// roller diameter, depth of cut, feed rate, seat clearance, tip diameter, the machining
// options, then the mounting fields (last, since they are judged against the teeth and the
// tool); returns the first failure's message, or nullopt.
std::optional<ValidationMessage> CheckFields(const FieldTexts& fields);

// What the sprocket part of a successful run yields.
struct SprocketRun {
  std::string pitch_diameter_text;    // for txtPitchDiameter
  double ToothAngle = 0;              // degrees
  double RollerRadius = 0;            // half the roller diameter
  double SeatRadius = 0;              // the roller radius plus any seat clearance
  double FlankRadius = 0;             // the pitch less the seat radius
  std::optional<double> TopDiameter;  // set when the teeth are topped
  double T = 0;                       // the real tooth count; bounds the tooth loops
  int N = 0;  // the whole tooth count: top array index and the closing tooth
  ToothProfile profile;
  Path outline;                       // the profile's teeth as one closed path in cutting order
  Mounting mounting;                  // bore, keyway and bolt circle as the fields give them
  std::vector<Path> holes;            // the mounting's holes in cutting order (BuildHoles)
  std::string outside_diameter_text;  // for txtOutsideDiameter
};

// Checks the fields and, when they pass, computes the sprocket.
std::variant<SprocketRun, ValidationMessage> RunSprocket(const FieldTexts& fields);

}  // namespace toothwright
