// The fields a design is typed into, as texts, and the one table of them: every option is one
// row holding its identity, its key (the CLI's long option and the design file's key), the text
// or tick it fills, the message that refuses it, what its number measures, how the window shows
// it and how the CLI's --help describes it. The window, the CLI and the design file are built
// from these rows; none of them lists the options again.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
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
  // What cuts the part: "mill" (blank), "laser", "plasma" or "waterjet", and the options of a
  // beam's cut (laser, plasma, waterjet).
  std::string process;
  std::string kerf;           // the cut's width; the program follows the part half of it away
  std::string power;          // laser: copied after "M4 S" as typed
  std::string passes;         // laser: times round each contour, 1 to 50; blank is 1
  std::string pierce_delay;   // plasma, waterjet: seconds of the dwell after the torch starts
  std::string pierce_height;  // plasma, waterjet: the height the torch starts at
  std::string cut_height;     // plasma, waterjet: the height it cuts at
  // The chain drive: a second sprocket on the same chain, and how far apart the two stand.
  std::string driven_teeth;     // the driven sprocket's tooth count; blank: no drive
  std::string centre_distance;  // from this sprocket's centre to the driven one's
  std::string links;            // the chain's length in links; excludes the centre distance
  std::string speed;            // this (the driving) sprocket's speed, rpm
  // The standard chain picked ("ANSI 40"), or empty. It counts only while pitch and roller
  // hold that chain's sizes in the current unit: it names the chain's width and the pitch
  // between its strands, which the fields do not hold.
  std::string chain;

  bool operator==(const FieldTexts&) const = default;
};

// Every option of FieldTexts: the text fields in the order the checks judge them, then the
// ticks. The units choice and the chain picked are not rows: they are lists, not typed values,
// and each front end treats them apart (a chain sets pitch and roller; the units convert).
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
  Process,
  Kerf,
  Power,
  Passes,
  PierceDelay,
  PierceHeight,
  CutHeight,
  // The chain drive.
  DrivenTeeth,
  CentreDistance,
  Links,
  Speed,
  // Ticks.
  Offset,
  ProgramEnd,
  ToothChamfer,
  Preamble,
  DxfUnits,
  DxfPolyline,
};

// What an option's value is, which sets the unit the window shows beside it.
enum class OptionKind : unsigned char {
  Length,   // in the current unit ("in" or "mm"); a unit switch converts it
  Feed,     // a length per minute ("in/min" or "mm/min"), converted like a length
  Speed,    // revolutions per minute ("rpm") in either unit; never converted
  Angle,    // degrees ("deg") in either unit; never converted
  Seconds,  // a time ("s") in either unit; never converted
  Number,   // a plain number written as typed (a laser's power); no unit
  Count,    // a whole number; no unit
  Word,     // one of a few words (typed, or picked from a list in the window); no unit
  Tick,     // on or off: a tick box, an option without a value
};

// Where the window shows an option: the closed window's own fields, or a group of the More
// panel. The groups are listed in the panel's focus order.
enum class PanelGroup : unsigned char {
  Main,       // the closed window: pitch, roller, teeth, depth of cut, feed rate, offset
  ToothForm,  // the panel's first column
  Machining,
  Solid,  // the panel's second column
  Mounting,
  Beam,    // the panel's third column: the options of a laser, plasma or waterjet cut
  DxfRow,  // the row of DXF ticks above the saves
  Drive,   // the Drive window's fields, not the panel's
};

// The groups of --help, in the order it lists them.
enum class HelpGroup : unsigned char {
  Chain,
  ToothForm,
  Machining,
  Mounting,
  Solid,
  Drive,
  Outputs,
  DesignFiles,
  Information,
};

// A place in a list of groups: the group, then a sort key within it (rows sort by it; gaps leave
// room for a row between two others).
template <typename Group>
struct Place {
  Group group;
  int order;
};

// One option.
struct OptionRow {
  Field field;
  const char* key;                // the CLI's long option and the design file's key
  std::string FieldTexts::*text;  // the text it fills; null for a tick
  bool FieldTexts::*ticked;       // the tick it sets; null for a text
  const char* message;            // what refuses it, exactly as shown; null for a tick
  OptionKind kind;
  // The window.
  const char* control;       // objectName of its field, list or tick box
  const char* label;         // objectName of the label captioning it
  const char* caption;       // that label's text
  const char* tooltip;       // shown when the pointer rests on the control; null: none
  const char* standard_tip;  // an "ANSI" button beside the field, with this tip; null: none
  Place<PanelGroup> panel;   // the closed window's or the panel's group, and the row within it
  // --help: "  --key VALUE" then the description from column 25, each line of it as printed.
  const char* value_name;  // what the value is called ("LENGTH"); null for a tick
  const char* help;        // the description's lines, '\n' between them
  Place<HelpGroup> help_place;
  // The design file writes the key even when the text is blank. Options added since design
  // files began are written only when set, so that a design without them keeps its bytes and
  // earlier versions, which refuse a key they do not know, still read it.
  bool saved_blank = true;
};

inline constexpr std::array<OptionRow, 46> kOptionRows = {{
    {.field = Field::Pitch,
     .key = "pitch",
     .text = &FieldTexts::pitch,
     .message = "Not a valid value for pitch",
     .kind = OptionKind::Length,
     .control = "txtPitch",
     .label = "Label1",
     .caption = "Pitch",
     .tooltip = nullptr,
     .standard_tip = nullptr,
     .panel = {PanelGroup::Main, 0},
     .value_name = "LENGTH",
     .help = "chain pitch: from one roller's centre to the next one's",
     .help_place = {HelpGroup::Chain, 20}},
    {.field = Field::Teeth,
     .key = "teeth",
     .text = &FieldTexts::teeth,
     .message = "Not a valid value for number of teeth",
     .kind = OptionKind::Count,
     .control = "txtNumberofTeeth",
     .label = "Label2",
     .caption = "Number of Teeth",
     .tooltip = nullptr,
     .standard_tip = nullptr,
     .panel = {PanelGroup::Main, 2},
     .value_name = "N",
     .help = "number of teeth, a whole number from 4 to 10000",
     .help_place = {HelpGroup::Chain, 40}},
    {.field = Field::Roller,
     .key = "roller",
     .text = &FieldTexts::roller,
     .message = "Not a valid value for roller diameter",
     .kind = OptionKind::Length,
     .control = "txtRollerDiameter",
     .label = "Label3",
     .caption = "Roller Diameter",
     .tooltip = nullptr,
     .standard_tip = nullptr,
     .panel = {PanelGroup::Main, 1},
     .value_name = "DIAMETER",
     .help = "roller diameter, less than the pitch",
     .help_place = {HelpGroup::Chain, 30}},
    {.field = Field::Depth,
     .key = "depth",
     .text = &FieldTexts::depth,
     .message = "Not a valid value for depth of cut",
     .kind = OptionKind::Length,
     .control = "txtCutDepth",
     .label = "Label8",
     .caption = "Depth of Cut",
     .tooltip = nullptr,
     .standard_tip = nullptr,
     .panel = {PanelGroup::Main, 3},
     .value_name = "LENGTH",
     .help = "depth of cut: the cutter plunges to Z minus this (a sign\n"
             "is ignored); left out, the plunge goes to Z-0 (work\n"
             "zero, usually the top of the stock)",
     .help_place = {HelpGroup::Machining, 10}},
    {.field = Field::Feed,
     .key = "feed",
     .text = &FieldTexts::feed,
     .message = "Not a valid value for feed rate",
     .kind = OptionKind::Feed,
     .control = "txtFeedRate",
     .label = "Label9",
     .caption = "Feed Rate",
     .tooltip = nullptr,
     .standard_tip = nullptr,
     .panel = {PanelGroup::Main, 4},
     .value_name = "RATE",
     .help = "feed rate in units per minute, written after F exactly\n"
             "as typed on the plunge and every cut; left out, the\n"
             "lines carry no F word and the controller's feed holds",
     .help_place = {HelpGroup::Machining, 20}},
    {.field = Field::SeatClearance,
     .key = "seat-clearance",
     .text = &FieldTexts::seat_clearance,
     .message = "Not a valid value for seat clearance",
     .kind = OptionKind::Length,
     .control = "txtSeatClearance",
     .label = "LabelSeatClearance",
     .caption = "Seat Clearance",
     .tooltip = "Added to the roller radius for the seats: a length of 0 or more, or ANSI for the "
                "chain standard's seating curve",
     .standard_tip = "Seat clearance of the chain standard",
     .panel = {PanelGroup::ToothForm, 0},
     .value_name = "LENGTH",
     .help = "room added to the roller's radius in every seat (0 or\n"
             "more), or ANSI for the chain standard's seating curve;\n"
             "left out, each seat fits the roller exactly",
     .help_place = {HelpGroup::ToothForm, 10}},
    {.field = Field::TipDiameter,
     .key = "tip-diameter",
     .text = &FieldTexts::tip_diameter,
     .message = "Not a valid value for tip diameter",
     .kind = OptionKind::Length,
     .control = "txtTipDiameter",
     .label = "LabelTipDiameter",
     .caption = "Tip Diameter",
     .tooltip = "The teeth are topped at this diameter: a length, or ANSI for the standard's "
                "outside diameter",
     .standard_tip = "Outside diameter of the chain standard",
     .panel = {PanelGroup::ToothForm, 1},
     .value_name = "DIAMETER",
     .help = "the teeth are topped at this diameter, or ANSI for the\n"
             "standard's outside diameter; left out, the tips are\n"
             "pointed",
     .help_place = {HelpGroup::ToothForm, 20}},
    {.field = Field::ToolDiameter,
     .key = "tool-diameter",
     .text = &FieldTexts::tool_diameter,
     .message = "Not a valid value for tool diameter",
     .kind = OptionKind::Length,
     .control = "txtToolDiameter",
     .label = "LabelToolDiameter",
     .caption = "Tool Diameter",
     .tooltip =
         "The program follows the cutter centre, offset by half this diameter, for controllers "
         "without cutter compensation; not together with the tool offset right code",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Machining, 0},
     .value_name = "DIAMETER",
     .help = "the program moves the cutter's centre, half this\n"
             "diameter away from the part's edges, for controllers\n"
             "without cutter compensation; excludes --offset",
     .help_place = {HelpGroup::Machining, 40}},
    {.field = Field::DepthPerPass,
     .key = "depth-per-pass",
     .text = &FieldTexts::depth_per_pass,
     .message = "Not a valid value for depth per pass",
     .kind = OptionKind::Length,
     .control = "txtDepthPerPass",
     .label = "LabelDepthPerPass",
     .caption = "Depth per Pass",
     .tooltip = "The contour is cut in passes this much deeper each, down to the depth of cut",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Machining, 1},
     .value_name = "LENGTH",
     .help = "cut in passes, each this much deeper than the one\n"
             "before, down to the full depth; left out, one pass",
     .help_place = {HelpGroup::Machining, 50}},
    {.field = Field::Tabs,
     .key = "tabs",
     .text = &FieldTexts::tabs,
     .message = "Not a valid value for tabs",
     .kind = OptionKind::Count,
     .control = "txtTabs",
     .label = "LabelTabs",
     .caption = "Tabs",
     .tooltip = "Number of holding tabs left on the contour",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Machining, 2},
     .value_name = "N",
     .help = "leave N holding tabs on the outline so that the part\n"
             "stays in the stock; see the next two options",
     .help_place = {HelpGroup::Machining, 60}},
    {.field = Field::TabWidth,
     .key = "tab-width",
     .text = &FieldTexts::tab_width,
     .message = "Not a valid value for tab width",
     .kind = OptionKind::Length,
     .control = "txtTabWidth",
     .label = "LabelTabWidth",
     .caption = "Tab Width",
     .tooltip = "Length of each tab along the path",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Machining, 3},
     .value_name = "LENGTH",
     .help = "length of the part's edge each tab leaves attached",
     .help_place = {HelpGroup::Machining, 70}},
    {.field = Field::TabHeight,
     .key = "tab-height",
     .text = &FieldTexts::tab_height,
     .message = "Not a valid value for tab height",
     .kind = OptionKind::Length,
     .control = "txtTabHeight",
     .label = "LabelTabHeight",
     .caption = "Tab Height",
     .tooltip = "Height of each tab above the full depth",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Machining, 4},
     .value_name = "LENGTH",
     .help = "height of each tab above the full depth",
     .help_place = {HelpGroup::Machining, 80}},
    {.field = Field::SafeZ,
     .key = "safe-z",
     .text = &FieldTexts::safe_z,
     .message = "Not a valid value for safe Z",
     .kind = OptionKind::Length,
     .control = "txtSafeZ",
     .label = "LabelSafeZ",
     .caption = "Safe Z",
     .tooltip = "Height of the first and last rapid moves",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Machining, 5},
     .value_name = "HEIGHT",
     .help = "height for the rapid moves at the start and at the end;\n"
             "left out, the cutter rises to Z2.00 at the end",
     .help_place = {HelpGroup::Machining, 90}},
    {.field = Field::Spindle,
     .key = "spindle",
     .text = &FieldTexts::spindle,
     .message = "Not a valid value for spindle speed",
     .kind = OptionKind::Speed,
     .control = "txtSpindle",
     .label = "LabelSpindle",
     .caption = "Spindle Speed",
     .tooltip = "Spindle speed, written after S as typed",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Machining, 6},
     .value_name = "RPM",
     .help = "spindle speed in revolutions per minute, written after S\n"
             "exactly as typed",
     .help_place = {HelpGroup::Machining, 100}},
    {.field = Field::Bore,
     .key = "bore",
     .text = &FieldTexts::bore,
     .message = "Not a valid value for bore diameter",
     .kind = OptionKind::Length,
     .control = "txtBore",
     .label = "LabelBore",
     .caption = "Bore Diameter",
     .tooltip = "Diameter of the bore about the centre",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Mounting, 0},
     .value_name = "DIAMETER",
     .help = "bore through the centre, for the shaft",
     .help_place = {HelpGroup::Mounting, 10}},
    {.field = Field::KeywayWidth,
     .key = "keyway-width",
     .text = &FieldTexts::keyway_width,
     .message = "Not a valid value for keyway width",
     .kind = OptionKind::Length,
     .control = "txtKeywayWidth",
     .label = "LabelKeywayWidth",
     .caption = "Keyway Width",
     .tooltip = "Width of the keyway in the bore's edge; needs a bore",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Mounting, 1},
     .value_name = "LENGTH",
     .help = "width of a keyway cut into the bore's edge on +Y; needs\n"
             "--bore",
     .help_place = {HelpGroup::Mounting, 20}},
    {.field = Field::KeywayDepth,
     .key = "keyway-depth",
     .text = &FieldTexts::keyway_depth,
     .message = "Not a valid value for keyway depth",
     .kind = OptionKind::Length,
     .control = "txtKeywayDepth",
     .label = "LabelKeywayDepth",
     .caption = "Keyway Depth",
     .tooltip = "From the bore's edge to the keyway's far side",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Mounting, 2},
     .value_name = "LENGTH",
     .help = "from the bore's edge to the keyway's far side",
     .help_place = {HelpGroup::Mounting, 30}},
    {.field = Field::BoltHoles,
     .key = "bolt-holes",
     .text = &FieldTexts::bolt_holes,
     .message = "Not a valid value for bolt holes",
     .kind = OptionKind::Count,
     .control = "txtBoltHoles",
     .label = "LabelBoltHoles",
     .caption = "Bolt Holes",
     .tooltip = "Number of holes on the bolt circle",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Mounting, 3},
     .value_name = "N",
     .help = "number of bolt holes, evenly spaced on the bolt circle",
     .help_place = {HelpGroup::Mounting, 40}},
    {.field = Field::BoltHoleDiameter,
     .key = "bolt-hole-diameter",
     .text = &FieldTexts::bolt_hole_diameter,
     .message = "Not a valid value for bolt hole diameter",
     .kind = OptionKind::Length,
     .control = "txtBoltHoleDiameter",
     .label = "LabelBoltHoleDiameter",
     .caption = "Bolt Hole Diameter",
     .tooltip = "Diameter of each bolt hole",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Mounting, 4},
     .value_name = "DIAMETER",
     .help = "diameter of each bolt hole",
     .help_place = {HelpGroup::Mounting, 50}},
    {.field = Field::BoltCircle,
     .key = "bolt-circle",
     .text = &FieldTexts::bolt_circle,
     .message = "Not a valid value for bolt circle",
     .kind = OptionKind::Length,
     .control = "txtBoltCircle",
     .label = "LabelBoltCircle",
     .caption = "Bolt Circle",
     .tooltip = "Diameter of the circle through the bolt holes' centres",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Mounting, 5},
     .value_name = "DIAMETER",
     .help = "diameter of the circle through the bolt holes' centres",
     .help_place = {HelpGroup::Mounting, 60}},
    {.field = Field::Thickness,
     .key = "thickness",
     .text = &FieldTexts::thickness,
     .message = "Not a valid value for thickness",
     .kind = OptionKind::Length,
     .control = "txtThickness",
     .label = "LabelThickness",
     .caption = "Thickness",
     .tooltip = "Width of one row of teeth: a length, or ANSI for the chain standard's width; "
                "every 3-D model needs it",
     .standard_tip = "Tooth width of the chain standard",
     .panel = {PanelGroup::Solid, 0},
     .value_name = "WIDTH",
     .help = "the tooth width, or ANSI for the chain standard's (a\n"
             "standard chain only); every 3-D output needs it",
     .help_place = {HelpGroup::Solid, 10}},
    {.field = Field::HubDiameter,
     .key = "hub-diameter",
     .text = &FieldTexts::hub_diameter,
     .message = "Not a valid value for hub diameter",
     .kind = OptionKind::Length,
     .control = "txtHubDiameter",
     .label = "LabelHubDiameter",
     .caption = "Hub Diameter",
     .tooltip = "Diameter of a plain hub on one side, bored through; with a hub length",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Solid, 1},
     .value_name = "DIAMETER",
     .help = "a plain hub on one side, bored through; with\n"
             "--hub-length",
     .help_place = {HelpGroup::Solid, 30}},
    {.field = Field::HubLength,
     .key = "hub-length",
     .text = &FieldTexts::hub_length,
     .message = "Not a valid value for hub length",
     .kind = OptionKind::Length,
     .control = "txtHubLength",
     .label = "LabelHubLength",
     .caption = "Hub Length",
     .tooltip = "How far the hub stands off the part's side",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Solid, 2},
     .value_name = "LENGTH",
     .help = "how far the hub stands off the part's side",
     .help_place = {HelpGroup::Solid, 40}},
    {.field = Field::Strands,
     .key = "strands",
     .text = &FieldTexts::strands,
     .message = "Not a valid value for strands",
     .kind = OptionKind::Count,
     .control = "txtStrands",
     .label = "LabelStrands",
     .caption = "Strands",
     .tooltip = "Rows of teeth, 1 to 8, at the chain's transverse pitch; blank is 1",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Solid, 3},
     .value_name = "N",
     .help = "rows of teeth at the chain's transverse pitch, 1 to 8",
     .help_place = {HelpGroup::Solid, 50}},
    {.field = Field::MeshTolerance,
     .key = "mesh-tolerance",
     .text = &FieldTexts::mesh_tolerance,
     .message = "Not a valid value for mesh tolerance",
     .kind = OptionKind::Length,
     .control = "txtMeshTolerance",
     .label = "LabelMeshTolerance",
     .caption = "Mesh Tolerance",
     .tooltip = "Chord tolerance of the STL and 3MF mesh; blank is 0.0004 in or 0.01 mm",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Solid, 4},
     .value_name = "LENGTH",
     .help = "the STL and 3MF mesh's chord tolerance (0.0004 in or\n"
             "0.01 mm when left out)",
     .help_place = {HelpGroup::Solid, 60}},
    {.field = Field::PlungeFeed,
     .key = "plunge-feed",
     .text = &FieldTexts::plunge_feed,
     .message = "Not a valid value for plunge feed",
     .kind = OptionKind::Feed,
     .control = "txtPlungeFeed",
     .label = "LabelPlungeFeed",
     .caption = "Plunge Feed",
     .tooltip = "Feed of every move down, written as typed; the cutting feed comes back on the "
                "next move across",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Machining, 8},
     .value_name = "RATE",
     .help = "feed of every move down (plunges, pass steps, after\n"
             "tabs), written as typed; needs --feed",
     .help_place = {HelpGroup::Machining, 120}},
    {.field = Field::RampAngle,
     .key = "ramp-angle",
     .text = &FieldTexts::ramp_angle,
     .message = "Not a valid value for ramp angle",
     .kind = OptionKind::Angle,
     .control = "txtRampAngle",
     .label = "LabelRampAngle",
     .caption = "Ramp Angle",
     .tooltip = "Degrees, 1 to 45: each pass goes down along its path at this angle instead of "
                "straight down",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Machining, 9},
     .value_name = "DEGREES",
     .help = "go down along the path at this angle (1 to 45) instead\n"
             "of straight down, and cut past the ramp's start",
     .help_place = {HelpGroup::Machining, 130}},
    {.field = Field::LeadIn,
     .key = "lead-in",
     .text = &FieldTexts::lead_in,
     .message = "Not a valid value for lead-in",
     .kind = OptionKind::Length,
     .control = "txtLeadIn",
     .label = "LabelLeadIn",
     .caption = "Lead-in",
     .tooltip = "With a tool diameter, or for a beam: radius of the arcs in the waste along which "
                "each contour is entered and left; plasma and waterjet take twice the kerf when "
                "blank",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Machining, 10},
     .value_name = "RADIUS",
     .help = "with --tool-diameter, or for a laser, plasma or\n"
             "waterjet: enter and leave each contour along a tangent\n"
             "arc of this radius in the waste (plasma, waterjet:\n"
             "twice the kerf when left out)",
     .help_place = {HelpGroup::Machining, 140}},
    {.field = Field::Direction,
     .key = "direction",
     .text = &FieldTexts::direction,
     .message = "Not a valid value for direction",
     .kind = OptionKind::Word,
     .control = "cboDirection",
     .label = "LabelDirection",
     .caption = "Direction",
     .tooltip = "conventional (the default) or climb: the side of its path the cutter runs on",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Machining, 11},
     .value_name = "WAY",
     .help = "conventional (the default: outline counter-clockwise,\n"
             "holes clockwise, cutter on the right) or climb",
     .help_place = {HelpGroup::Machining, 150}},
    {.field = Field::Process,
     .key = "process",
     .text = &FieldTexts::process,
     .message = "Not a valid value for process",
     .kind = OptionKind::Word,
     .control = "cboProcess",
     .label = "LabelProcess",
     .caption = "Process",
     .tooltip = "mill (the default), laser, plasma or waterjet: what cuts the part",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Machining, -1},
     .value_name = "WHAT",
     .help = "what cuts the part: mill (the default), laser (Grbl's\n"
             "laser mode: M4 S, no Z), plasma or waterjet (pierce in\n"
             "the waste, then cut)",
     .help_place = {HelpGroup::Machining, 5},
     .saved_blank = false},
    {.field = Field::Kerf,
     .key = "kerf",
     .text = &FieldTexts::kerf,
     .message = "Not a valid value for kerf",
     .kind = OptionKind::Length,
     .control = "txtKerf",
     .label = "LabelKerf",
     .caption = "Kerf",
     .tooltip = "Width of the cut: the beam follows the part half of it away (laser, plasma, "
                "waterjet)",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Beam, 0},
     .value_name = "WIDTH",
     .help = "laser, plasma, waterjet: the width of the cut; the beam\n"
             "follows the part half of it away (outside the outline,\n"
             "inside the holes); left out, it follows the drawing",
     .help_place = {HelpGroup::Machining, 170},
     .saved_blank = false},
    {.field = Field::Power,
     .key = "power",
     .text = &FieldTexts::power,
     .message = "Not a valid value for power",
     .kind = OptionKind::Number,
     .control = "txtPower",
     .label = "LabelPower",
     .caption = "Power",
     .tooltip = "Laser: the beam's power, written after M4 S as typed",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Beam, 1},
     .value_name = "S",
     .help = "laser (needed): the beam's power, written after M4 S as\n"
             "typed",
     .help_place = {HelpGroup::Machining, 180},
     .saved_blank = false},
    {.field = Field::Passes,
     .key = "passes",
     .text = &FieldTexts::passes,
     .message = "Not a valid value for passes",
     .kind = OptionKind::Count,
     .control = "txtPasses",
     .label = "LabelPasses",
     .caption = "Passes",
     .tooltip = "Laser: times round each contour, 1 to 50, without switching off",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Beam, 2},
     .value_name = "N",
     .help = "laser: go round each contour N times (1 to 50) without\n"
             "switching off; left out, once",
     .help_place = {HelpGroup::Machining, 190},
     .saved_blank = false},
    {.field = Field::PierceDelay,
     .key = "pierce-delay",
     .text = &FieldTexts::pierce_delay,
     .message = "Not a valid value for pierce delay",
     .kind = OptionKind::Seconds,
     .control = "txtPierceDelay",
     .label = "LabelPierceDelay",
     .caption = "Pierce Delay",
     .tooltip = "Plasma, waterjet: seconds the torch dwells after starting, before it moves",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Beam, 3},
     .value_name = "SECONDS",
     .help = "plasma, waterjet (needed): dwell this many seconds\n"
             "(G4 P) after starting, before moving",
     .help_place = {HelpGroup::Machining, 200},
     .saved_blank = false},
    {.field = Field::PierceHeight,
     .key = "pierce-height",
     .text = &FieldTexts::pierce_height,
     .message = "Not a valid value for pierce height",
     .kind = OptionKind::Length,
     .control = "txtPierceHeight",
     .label = "LabelPierceHeight",
     .caption = "Pierce Height",
     .tooltip = "Plasma, waterjet: the height above the plate the torch starts at",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Beam, 4},
     .value_name = "HEIGHT",
     .help = "plasma (needed), waterjet: the height above the plate\n"
             "the torch starts at",
     .help_place = {HelpGroup::Machining, 210},
     .saved_blank = false},
    {.field = Field::CutHeight,
     .key = "cut-height",
     .text = &FieldTexts::cut_height,
     .message = "Not a valid value for cut height",
     .kind = OptionKind::Length,
     .control = "txtCutHeight",
     .label = "LabelCutHeight",
     .caption = "Cut Height",
     .tooltip = "Plasma, waterjet: the height above the plate the torch cuts at",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Beam, 5},
     .value_name = "HEIGHT",
     .help = "plasma (needed), waterjet: the height above the plate\n"
             "the torch cuts at, at most the pierce height",
     .help_place = {HelpGroup::Machining, 220},
     .saved_blank = false},
    // The chain drive.
    {.field = Field::DrivenTeeth,
     .key = "driven-teeth",
     .text = &FieldTexts::driven_teeth,
     .message = "Not a valid value for driven teeth",
     .kind = OptionKind::Count,
     .control = "txtDrivenTeeth",
     .label = "LabelDrivenTeeth",
     .caption = "Driven Teeth",
     .tooltip =
         "Teeth of the second sprocket on the chain, 4 to 10000, with this one's tooth form, "
         "thickness and strands; the mounting stays with this sprocket",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Drive, 0},
     .value_name = "N",
     .help = "a second sprocket of N teeth (4 to 10000) on the same\n"
             "chain, driven by this one: the same tooth form (seat\n"
             "clearance, tip diameter, chamfer, thickness, strands);\n"
             "the mounting options stay with this sprocket",
     .help_place = {HelpGroup::Drive, 10},
     .saved_blank = false},
    {.field = Field::CentreDistance,
     .key = "centre-distance",
     .text = &FieldTexts::centre_distance,
     .message = "Not a valid value for centre distance",
     .kind = OptionKind::Length,
     .control = "txtCentreDistance",
     .label = "LabelCentreDistance",
     .caption = "Centre Distance",
     .tooltip = "From this sprocket's centre to the driven one's; the chain takes the next even "
                "number of links, and the drive stands at their centre distance",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Drive, 1},
     .value_name = "LENGTH",
     .help = "from this sprocket's centre to the driven one's: the\n"
             "chain takes the next even number of links, and the\n"
             "drive stands at their centre distance; excludes --links",
     .help_place = {HelpGroup::Drive, 20},
     .saved_blank = false},
    {.field = Field::Links,
     .key = "links",
     .text = &FieldTexts::links,
     .message = "Not a valid value for links",
     .kind = OptionKind::Count,
     .control = "txtLinks",
     .label = "LabelLinks",
     .caption = "Links",
     .tooltip = "The chain's length in links (pitches), in place of a centre distance; an odd "
                "number needs an offset link",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Drive, 2},
     .value_name = "N",
     .help = "the chain's length in links, in place of a centre\n"
             "distance, which then follows (an odd number of links\n"
             "needs an offset link)",
     .help_place = {HelpGroup::Drive, 30},
     .saved_blank = false},
    {.field = Field::Speed,
     .key = "speed",
     .text = &FieldTexts::speed,
     .message = "Not a valid value for speed",
     .kind = OptionKind::Speed,
     .control = "txtSpeed",
     .label = "LabelSpeed",
     .caption = "Speed",
     .tooltip = "Revolutions per minute of this, the driving, sprocket: for the chain's speed and "
                "the driven sprocket's",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Drive, 3},
     .value_name = "RPM",
     .help = "this (the driving) sprocket's speed in revolutions per\n"
             "minute, for the chain's and the driven sprocket's",
     .help_place = {HelpGroup::Drive, 40},
     .saved_blank = false},
    {.field = Field::Offset,
     .key = "offset",
     .ticked = &FieldTexts::offset,
     .message = nullptr,
     .kind = OptionKind::Tick,
     .control = "Check1",
     .label = "Label19",
     .caption = "Include Tool Offset Right Code",
     .tooltip =
         "Not together with a tool diameter, which makes the program follow the cutter centre",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Main, 5},
     .value_name = nullptr,
     .help = "cutter compensation to the right (G42) for the contour,\n"
             "cancelled (G40) at the end; the controller then offsets\n"
             "the path by the radius in its tool table",
     .help_place = {HelpGroup::Machining, 30}},
    {.field = Field::ProgramEnd,
     .key = "program-end",
     .ticked = &FieldTexts::program_end,
     .message = nullptr,
     .kind = OptionKind::Tick,
     .control = "CheckProgramEnd",
     .label = "LabelProgramEnd",
     .caption = "End Program with M2",
     .tooltip = nullptr,
     .standard_tip = nullptr,
     .panel = {PanelGroup::Machining, 7},
     .value_name = nullptr,
     .help = "end the program with M2",
     .help_place = {HelpGroup::Machining, 110}},
    {.field = Field::ToothChamfer,
     .key = "tooth-chamfer",
     .ticked = &FieldTexts::tooth_chamfer,
     .message = nullptr,
     .kind = OptionKind::Tick,
     .control = "CheckToothChamfer",
     .label = "LabelToothChamfer",
     .caption = "Chamfer Teeth",
     .tooltip = "The teeth's sides get the chain standard's side profile in the 3-D model",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Solid, 5},
     .value_name = nullptr,
     .help = "give each tooth's sides the standard's side profile:\n"
             "a side radius of the pitch, narrowing the tips",
     .help_place = {HelpGroup::Solid, 20}},
    {.field = Field::Preamble,
     .key = "preamble",
     .ticked = &FieldTexts::preamble,
     .message = nullptr,
     .kind = OptionKind::Tick,
     .control = "CheckPreamble",
     .label = "LabelPreamble",
     .caption = "Preamble",
     .tooltip = "The program starts with a comment naming the part, then G17 G90 G94",
     .standard_tip = nullptr,
     .panel = {PanelGroup::Machining, 12},
     .value_name = nullptr,
     .help = "open the program with a comment naming the part, and\n"
             "set plane, distances and feed mode (G17 G90 G94)",
     .help_place = {HelpGroup::Machining, 160}},
    {.field = Field::DxfUnits,
     .key = "dxf-units",
     .ticked = &FieldTexts::dxf_units,
     .message = nullptr,
     .kind = OptionKind::Tick,
     .control = "CheckDxfUnits",
     .label = "LabelDxfUnits",
     .caption = "DXF Units",
     .tooltip = "The DXF file states its unit, so that CAD programs import it at true size",
     .standard_tip = nullptr,
     .panel = {PanelGroup::DxfRow, 0},
     .value_name = nullptr,
     .help = "the DXF states its unit (a HEADER with $INSUNITS), so\n"
             "CAD programs import it at true size",
     .help_place = {HelpGroup::Outputs, 40}},
    {.field = Field::DxfPolyline,
     .key = "dxf-polyline",
     .ticked = &FieldTexts::dxf_polyline,
     .message = nullptr,
     .kind = OptionKind::Tick,
     .control = "CheckDxfPolyline",
     .label = "LabelDxfPolyline",
     .caption = "DXF Polylines",
     .tooltip = "The DXF file draws each loop as one closed polyline with bulges",
     .standard_tip = nullptr,
     .panel = {PanelGroup::DxfRow, 1},
     .value_name = nullptr,
     .help = "the DXF draws each closed loop as one LWPOLYLINE with\n"
             "bulges, in place of separate arcs and lines",
     .help_place = {HelpGroup::Outputs, 50}},
}};

// How many rows are text fields; the ticks follow them.
inline constexpr size_t kTextFieldCount = static_cast<size_t>(Field::Offset);

// The text fields in check order, and the ticks.
inline constexpr std::span<const OptionRow> kTextFields =
    std::span(kOptionRows).first(kTextFieldCount);
inline constexpr std::span<const OptionRow> kTickFields =
    std::span(kOptionRows).subspan(kTextFieldCount);

// The keys of the units choice and of the chain picked; their texts are kept as typed.
inline constexpr const char* kUnitsKey = "units";
inline constexpr const char* kChainKey = "chain";

constexpr const OptionRow& FieldOf(Field field) {
  return kOptionRows[static_cast<size_t>(field)];
}

// The table lists the rows in the order of Field, so a row is found by its value; a text row
// fills a text and has a message and a value name, a tick row none of them.
constexpr bool TableWellFormed() {
  for (size_t i = 0; i < kOptionRows.size(); ++i) {
    const OptionRow& row = kOptionRows[i];
    const bool tick = i >= kTextFieldCount;
    if (static_cast<size_t>(row.field) != i || (row.kind == OptionKind::Tick) != tick ||
        (row.text == nullptr) != tick || (row.ticked == nullptr) != !tick ||
        (row.message == nullptr) != tick || (row.value_name == nullptr) != tick) {
      return false;
    }
  }
  return true;
}
static_assert(TableWellFormed());

// The row whose key is key, or null.
constexpr const OptionRow* FindOption(std::string_view key) {
  for (const OptionRow& row : kOptionRows) {
    if (key == row.key) return &row;
  }
  return nullptr;
}

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
