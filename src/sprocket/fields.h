// The fields a design is typed into, as texts: the window's fields and the CLI's options hold
// exactly these. Each field has an identity, the message that refuses it and the key it goes
// by on the command line and in a design file.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <utility>

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
  // The part as a solid.
  std::string thickness;       // one row's tooth width: a length or "ANSI"
  std::string hub_diameter;    // a plain hub on one side; with hub_length
  std::string hub_length;      // how far the hub stands off the part's side
  std::string strands;         // rows of teeth, 1 to 8; blank is 1
  std::string mesh_tolerance;  // the STL and 3MF mesh's chord tolerance
  bool tooth_chamfer = false;  // the teeth's sides get the standard's side profile
  // How the program enters and runs round each contour.
  std::string plunge_feed;    // feed of every move down, copied as typed like the feed
  std::string ramp_angle;     // degrees, 1 to 45: passes go down along the path
  std::string lead_in;        // radius of the tangent arcs each contour is entered along
  std::string direction;      // "climb" or "conventional"; blank is conventional
  bool preamble = false;      // a comment naming the part, then "G17 G90 G94"
  bool dxf_units = false;     // the DXF states its unit in a HEADER section
  bool dxf_polyline = false;  // the DXF draws each loop as one closed LWPOLYLINE
  // The standard chain picked ("ANSI 40"), or empty. It counts only while pitch and roller
  // hold that chain's sizes in the current unit: it names the chain's width and the pitch
  // between its strands, which the fields do not hold.
  std::string chain;

  bool operator==(const FieldTexts&) const = default;
};

// Every text field, in the order the checks judge them.
enum class Field : unsigned char {
  Pitch,
  Teeth,
  Roller,
  Depth,
  Feed,
  SeatClearance,
  TipDiameter,
  ToolDiameter,
  DepthPerPass,
  Tabs,
  TabWidth,
  TabHeight,
  SafeZ,
  Spindle,
  Bore,
  KeywayWidth,
  KeywayDepth,
  BoltHoles,
  BoltHoleDiameter,
  BoltCircle,
  Thickness,
  HubDiameter,
  HubLength,
  Strands,
  MeshTolerance,
  PlungeFeed,
  RampAngle,
  LeadIn,
  Direction,
};

// One text field: its identity, its key (the CLI's long option and the design file's key), its
// text in FieldTexts and the message that refuses it.
struct TextField {
  Field field;
  const char* key;
  std::string FieldTexts::*text;
  const char* message;
};

inline constexpr std::array<TextField, 29> kTextFields = {{
    {Field::Pitch, "pitch", &FieldTexts::pitch, "Not a valid value for pitch"},
    {Field::Teeth, "teeth", &FieldTexts::teeth, "Not a valid value for number of teeth"},
    {Field::Roller, "roller", &FieldTexts::roller, "Not a valid value for roller diameter"},
    {Field::Depth, "depth", &FieldTexts::depth, "Not a valid value for depth of cut"},
    {Field::Feed, "feed", &FieldTexts::feed, "Not a valid value for feed rate"},
    {Field::SeatClearance, "seat-clearance", &FieldTexts::seat_clearance,
     "Not a valid value for seat clearance"},
    {Field::TipDiameter, "tip-diameter", &FieldTexts::tip_diameter,
     "Not a valid value for tip diameter"},
    {Field::ToolDiameter, "tool-diameter", &FieldTexts::tool_diameter,
     "Not a valid value for tool diameter"},
    {Field::DepthPerPass, "depth-per-pass", &FieldTexts::depth_per_pass,
     "Not a valid value for depth per pass"},
    {Field::Tabs, "tabs", &FieldTexts::tabs, "Not a valid value for tabs"},
    {Field::TabWidth, "tab-width", &FieldTexts::tab_width, "Not a valid value for tab width"},
    {Field::TabHeight, "tab-height", &FieldTexts::tab_height, "Not a valid value for tab height"},
    {Field::SafeZ, "safe-z", &FieldTexts::safe_z, "Not a valid value for safe Z"},
    {Field::Spindle, "spindle", &FieldTexts::spindle, "Not a valid value for spindle speed"},
    {Field::Bore, "bore", &FieldTexts::bore, "Not a valid value for bore diameter"},
    {Field::KeywayWidth, "keyway-width", &FieldTexts::keyway_width,
     "Not a valid value for keyway width"},
    {Field::KeywayDepth, "keyway-depth", &FieldTexts::keyway_depth,
     "Not a valid value for keyway depth"},
    {Field::BoltHoles, "bolt-holes", &FieldTexts::bolt_holes, "Not a valid value for bolt holes"},
    {Field::BoltHoleDiameter, "bolt-hole-diameter", &FieldTexts::bolt_hole_diameter,
     "Not a valid value for bolt hole diameter"},
    {Field::BoltCircle, "bolt-circle", &FieldTexts::bolt_circle,
     "Not a valid value for bolt circle"},
    {Field::Thickness, "thickness", &FieldTexts::thickness, "Not a valid value for thickness"},
    {Field::HubDiameter, "hub-diameter", &FieldTexts::hub_diameter,
     "Not a valid value for hub diameter"},
    {Field::HubLength, "hub-length", &FieldTexts::hub_length, "Not a valid value for hub length"},
    {Field::Strands, "strands", &FieldTexts::strands, "Not a valid value for strands"},
    {Field::MeshTolerance, "mesh-tolerance", &FieldTexts::mesh_tolerance,
     "Not a valid value for mesh tolerance"},
    {Field::PlungeFeed, "plunge-feed", &FieldTexts::plunge_feed,
     "Not a valid value for plunge feed"},
    {Field::RampAngle, "ramp-angle", &FieldTexts::ramp_angle, "Not a valid value for ramp angle"},
    {Field::LeadIn, "lead-in", &FieldTexts::lead_in, "Not a valid value for lead-in"},
    {Field::Direction, "direction", &FieldTexts::direction, "Not a valid value for direction"},
}};

// A tick box: its key and its state in FieldTexts.
struct TickField {
  const char* key;
  bool FieldTexts::*ticked;
};

inline constexpr std::array<TickField, 6> kTickFields = {{
    {"offset", &FieldTexts::offset},
    {"program-end", &FieldTexts::program_end},
    {"tooth-chamfer", &FieldTexts::tooth_chamfer},
    {"preamble", &FieldTexts::preamble},
    {"dxf-units", &FieldTexts::dxf_units},
    {"dxf-polyline", &FieldTexts::dxf_polyline},
}};

// The keys of the units choice and of the chain picked; their texts are kept as typed.
inline constexpr const char* kUnitsKey = "units";
inline constexpr const char* kChainKey = "chain";

constexpr const TextField& FieldOf(Field field) {
  return kTextFields[static_cast<size_t>(field)];
}

// The table lists the fields in the order of Field, so a field's row is found by its value.
constexpr bool TableInFieldOrder() {
  for (size_t i = 0; i < kTextFields.size(); ++i) {
    if (static_cast<size_t>(kTextFields[i].field) != i) return false;
  }
  return true;
}
static_assert(TableInFieldOrder());

// The message that refuses a field, exactly as the window shows it.
constexpr const char* MessageOf(Field field) {
  return FieldOf(field).message;
}

inline constexpr const char* kPitchMessage = MessageOf(Field::Pitch);
inline constexpr const char* kTeethMessage = MessageOf(Field::Teeth);
inline constexpr const char* kRollerMessage = MessageOf(Field::Roller);
inline constexpr const char* kDepthMessage = MessageOf(Field::Depth);
inline constexpr const char* kFeedMessage = MessageOf(Field::Feed);
inline constexpr const char* kSeatClearanceMessage = MessageOf(Field::SeatClearance);
inline constexpr const char* kTipDiameterMessage = MessageOf(Field::TipDiameter);
inline constexpr const char* kToolDiameterMessage = MessageOf(Field::ToolDiameter);
inline constexpr const char* kDepthPerPassMessage = MessageOf(Field::DepthPerPass);
inline constexpr const char* kTabsMessage = MessageOf(Field::Tabs);
inline constexpr const char* kTabWidthMessage = MessageOf(Field::TabWidth);
inline constexpr const char* kTabHeightMessage = MessageOf(Field::TabHeight);
inline constexpr const char* kSafeZMessage = MessageOf(Field::SafeZ);
inline constexpr const char* kSpindleMessage = MessageOf(Field::Spindle);
inline constexpr const char* kBoreMessage = MessageOf(Field::Bore);
inline constexpr const char* kKeywayWidthMessage = MessageOf(Field::KeywayWidth);
inline constexpr const char* kKeywayDepthMessage = MessageOf(Field::KeywayDepth);
inline constexpr const char* kBoltHolesMessage = MessageOf(Field::BoltHoles);
inline constexpr const char* kBoltHoleDiameterMessage = MessageOf(Field::BoltHoleDiameter);
inline constexpr const char* kBoltCircleMessage = MessageOf(Field::BoltCircle);

// A refused field: which one, its message exactly as shown, and a line saying why when there
// is more to say than the message (the limit crossed, in the current unit); empty otherwise.
struct FieldError {
  Field field = Field::Pitch;
  std::string message;
  std::string reason;
  bool operator==(const FieldError&) const = default;
};

// The error refusing field, with its own message.
inline FieldError Refuse(Field field, std::string reason = {}) {
  return {field, MessageOf(field), std::move(reason)};
}

}  // namespace toothwright
