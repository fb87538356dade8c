// The layout table of the main window and the mapping of twips and design fonts to Qt.
#include "ui/window_layout.h"

#include <QStringList>
#include <cmath>
#include <cstring>

namespace toothwright {
namespace {

using K = ControlKind;
using F = FontRole;

// The design's 8.25 point sans is matched best by Liberation Sans at 10 pixels: at 11 pixels
// (8.25 point at 96 pixels per inch) the longest captions no longer fit their boxes.
constexpr int kBodyPixels = 10;
constexpr int kZoneHeadingPixels = 16;     // 12 point
constexpr int kResultsHeadingPixels = 18;  // 13.5 point
constexpr int kTitlePixels = 24;           // 18 point

constexpr ControlLayout kControls[] = {
    // Zone frames.
    {"Shape1", K::Frame, "", 105, 675, 9255, 1575},
    {"Shape3", K::Frame, "", 120, 2400, 9255, 735},
    // Title.
    {"Label7", K::Label, "Toothwright 2.0", 120, 0, 4095, 495, kNoTab, F::Title},
    {"CmdAbout", K::Button, "Info", 8400, 120, 975, 255, 72},
    // Opens and closes the More panel; in the title row's free space, so nothing else moves.
    {"CmdMore", K::Button, "More \u25b8", 7065, 120, 1215, 255, 71},
    // Chain zone.
    {"Label11", K::Label, "Choose a standard chain size or enter custom pitch and roller sizes",
     120, 720, 9255, 375, kNoTab, F::Body, true},
    {"Label10", K::Label, "Standard Chain Sizes", 240, 840, 1695, 255},
    {"Combo1", K::ChoiceList, "", 240, 1080, 2415, 315, 0},
    {"Label1", K::Label, "Pitch", 2880, 1080, 615, 255},
    {"txtPitch", K::TextBox, "", 3360, 1080, 1095, 285, 2},
    {"Label3", K::Label, "Roller Diameter", 4560, 1080, 1215, 255},
    {"txtRollerDiameter", K::TextBox, "", 5760, 1080, 1095, 285, 3},
    {"Label16", K::Label, "Units", 240, 1590, 615, 255},
    {"ComboUnits", K::ChoiceList, "", 915, 1590, 1215, 315, 1},
    {"Label2", K::Label, "Number of Teeth", 4320, 1590, 1215, 255},
    {"txtNumberofTeeth", K::TextBox, "", 5760, 1590, 1095, 285, 4},
    {"Command1", K::Button, "Go", 8040, 1560, 1215, 495, 8},
    // Options zone.
    {"Label14", K::Label, "Optional Parameters", 195, 2430, 2340, 225, kNoTab, F::BodyBold},
    {"Label8", K::Label, "Depth of Cut", 360, 2753, 975, 255},
    {"txtCutDepth", K::TextBox, "", 1320, 2738, 1095, 285, 5},
    {"Label9", K::Label, "Feed Rate", 2640, 2753, 855, 255},
    {"txtFeedRate", K::TextBox, "", 3480, 2738, 1095, 285, 6},
    {"Label19", K::Label, "Include Tool Offset Right Code", 5070, 2753, 2250, 255},
    {"Check1", K::CheckBox, "", 7410, 2745, 240, 270, 7},
    // Results row.
    {"Label12", K::Label, "Results", 135, 3165, 1320, 330, kNoTab, F::ResultsHeading},
    {"Label5", K::Label, "Outside Diameter", 3120, 3285, 1215, 255},
    {"txtOutsideDiameter", K::ResultBox, "", 4560, 3285, 1095, 285},
    {"Label4", K::Label, "Pitch Diameter", 5760, 3285, 1215, 255},
    {"txtPitchDiameter", K::ResultBox, "", 7080, 3285, 1095, 285},
    // Says when the results no longer match the fields, or which file was saved last; right of
    // the picture's heading and above the G-code's, so that it covers neither.
    {"LabelResultsNote", K::Label, "", 4560, 3600, 4965, 210, kNoTab, F::BodyBold},
    // Preview.
    {"Label17", K::Label, "Rough Graphical Render", 480, 3630, 3810, 375, kNoTab, F::ZoneHeading,
     true},
    {"Label18", K::Label, "DXF file and GCode are accurate", 345, 3990, 4095, 375, kNoTab, F::Body,
     true},
    {"Picture1", K::Picture, "", 480, 4260, 3795, 3795},
    {"Label15", K::Label, "Center hole is for visual reference only and not included in code", 45,
     8115, 4770, 285, kNoTab, F::Body, true},
    // G-code and DXF.
    {"Label6", K::Label, "G-Code Results", 6045, 3825, 3465, 375, kNoTab, F::ZoneHeading, true},
    {"txtInfo", K::CodeBox, "", 6030, 4245, 3495, 2475, 60},
    {"CmdSelectGCODE", K::Button, "Select All", 6120, 6825, 975, 375, 61},
    {"CmdGCodeSave", K::Button, "Save G-Code", 8040, 6825, 1335, 375, 62},
    {"Label13", K::Label, "DXF / CAD Results", 6015, 7365, 3495, 375, kNoTab, F::ZoneHeading, true},
    {"CmdDXFSave", K::Button, "Save DXF File", 6975, 7845, 1455, 375, 63},
};

// The More panel: framed groups in two columns right of the window, each a caption per row
// with its field beside it, rows 345 twips apart. The group frames line up with the chain
// zone's top and the row of buttons beneath them with "Save DXF File".
constexpr ControlLayout kMorePanelControls[] = {
    // Group frames.
    {"ShapeToothForm", K::Frame, "", 9810, 675, 3780, 1080},
    {"ShapeMachining", K::Frame, "", 9810, 1875, 3780, 5220},
    {"ShapeSolid", K::Frame, "", 13665, 675, 3780, 2460},
    {"ShapeMounting", K::Frame, "", 13665, 3255, 3780, 2460},
    {"ShapeCut", K::Frame, "", 13665, 5835, 3780, 1080},
    {"LabelMoreOptions", K::Label, "More Options", 9810, 150, 7635, 375, kNoTab, F::ZoneHeading,
     true},
    // Tooth form: each field takes a length or the word the button beside it fills in.
    {"LabelToothForm", K::Label, "Tooth Form", 9885, 705, 2340, 225, kNoTab, F::BodyBold},
    {"LabelSeatClearance", K::Label, "Seat Clearance", 9930, 1020, 1650, 255},
    {"txtSeatClearance", K::TextBox, "", 11640, 1005, 1095, 285, 9},
    {"CmdSeatClearanceANSI", K::Button, "ANSI", 12855, 1005, 615, 285, 10},
    {"LabelTipDiameter", K::Label, "Tip Diameter", 9930, 1365, 1650, 255},
    {"txtTipDiameter", K::TextBox, "", 11640, 1350, 1095, 285, 11},
    {"CmdTipDiameterANSI", K::Button, "ANSI", 12855, 1350, 615, 285, 12},
    // Machining.
    {"LabelMachining", K::Label, "Machining", 9885, 1905, 2340, 225, kNoTab, F::BodyBold},
    {"LabelToolDiameter", K::Label, "Tool Diameter", 9930, 2220, 1650, 255},
    {"txtToolDiameter", K::TextBox, "", 11640, 2205, 1095, 285, 13},
    {"LabelDepthPerPass", K::Label, "Depth per Pass", 9930, 2565, 1650, 255},
    {"txtDepthPerPass", K::TextBox, "", 11640, 2550, 1095, 285, 14},
    {"LabelTabs", K::Label, "Tabs", 9930, 2910, 1650, 255},
    {"txtTabs", K::TextBox, "", 11640, 2895, 1095, 285, 15},
    {"LabelTabWidth", K::Label, "Tab Width", 9930, 3255, 1650, 255},
    {"txtTabWidth", K::TextBox, "", 11640, 3240, 1095, 285, 16},
    {"LabelTabHeight", K::Label, "Tab Height", 9930, 3600, 1650, 255},
    {"txtTabHeight", K::TextBox, "", 11640, 3585, 1095, 285, 17},
    {"LabelSafeZ", K::Label, "Safe Z", 9930, 3945, 1650, 255},
    {"txtSafeZ", K::TextBox, "", 11640, 3930, 1095, 285, 18},
    {"LabelSpindle", K::Label, "Spindle Speed", 9930, 4290, 1650, 255},
    {"txtSpindle", K::TextBox, "", 11640, 4275, 1095, 285, 19},
    {"LabelProgramEnd", K::Label, "End Program with M2", 9930, 4635, 1650, 255},
    {"CheckProgramEnd", K::CheckBox, "", 11640, 4627, 240, 270, 20},
    {"LabelPlungeFeed", K::Label, "Plunge Feed", 9930, 4980, 1650, 255},
    {"txtPlungeFeed", K::TextBox, "", 11640, 4965, 1095, 285, 21},
    {"LabelRampAngle", K::Label, "Ramp Angle", 9930, 5325, 1650, 255},
    {"txtRampAngle", K::TextBox, "", 11640, 5310, 1095, 285, 22},
    {"LabelLeadIn", K::Label, "Lead-in", 9930, 5670, 1650, 255},
    {"txtLeadIn", K::TextBox, "", 11640, 5655, 1095, 285, 23},
    // Typed or picked; the blank first entry is the default, conventional.
    {"LabelDirection", K::Label, "Direction", 9930, 6015, 1650, 255},
    {"cboDirection", K::ChoiceList, "", 11640, 5993, 1830, 300, 24},
    {"LabelPreamble", K::Label, "Preamble", 9930, 6360, 1650, 255},
    {"CheckPreamble", K::CheckBox, "", 11640, 6352, 240, 270, 25},
    // A view of the last run, not a field: it redraws the picture and changes no output.
    {"LabelShowToolpath", K::Label, "Show Toolpath", 9930, 6705, 1650, 255},
    {"CheckShowToolpath", K::CheckBox, "", 11640, 6697, 240, 270, 26},
    // The part as a solid, saved by "Save 3-D Model...".
    {"LabelSolid", K::Label, "Solid", 13740, 705, 2340, 225, kNoTab, F::BodyBold},
    {"LabelThickness", K::Label, "Thickness", 13785, 1020, 1650, 255},
    {"txtThickness", K::TextBox, "", 15495, 1005, 1095, 285, 27},
    {"CmdThicknessANSI", K::Button, "ANSI", 16710, 1005, 615, 285, 28},
    {"LabelHubDiameter", K::Label, "Hub Diameter", 13785, 1365, 1650, 255},
    {"txtHubDiameter", K::TextBox, "", 15495, 1350, 1095, 285, 29},
    {"LabelHubLength", K::Label, "Hub Length", 13785, 1710, 1650, 255},
    {"txtHubLength", K::TextBox, "", 15495, 1695, 1095, 285, 30},
    {"LabelStrands", K::Label, "Strands", 13785, 2055, 1650, 255},
    {"txtStrands", K::TextBox, "", 15495, 2040, 1095, 285, 31},
    {"LabelMeshTolerance", K::Label, "Mesh Tolerance", 13785, 2400, 1650, 255},
    {"txtMeshTolerance", K::TextBox, "", 15495, 2385, 1095, 285, 32},
    {"LabelToothChamfer", K::Label, "Chamfer Teeth", 13785, 2745, 1650, 255},
    {"CheckToothChamfer", K::CheckBox, "", 15495, 2737, 240, 270, 33},
    // Mounting.
    {"LabelMounting", K::Label, "Mounting", 13740, 3285, 2340, 225, kNoTab, F::BodyBold},
    {"LabelBore", K::Label, "Bore Diameter", 13785, 3600, 1650, 255},
    {"txtBore", K::TextBox, "", 15495, 3585, 1095, 285, 34},
    {"LabelKeywayWidth", K::Label, "Keyway Width", 13785, 3945, 1650, 255},
    {"txtKeywayWidth", K::TextBox, "", 15495, 3930, 1095, 285, 35},
    {"LabelKeywayDepth", K::Label, "Keyway Depth", 13785, 4290, 1650, 255},
    {"txtKeywayDepth", K::TextBox, "", 15495, 4275, 1095, 285, 36},
    {"LabelBoltHoles", K::Label, "Bolt Holes", 13785, 4635, 1650, 255},
    {"txtBoltHoles", K::TextBox, "", 15495, 4620, 1095, 285, 37},
    {"LabelBoltHoleDiameter", K::Label, "Bolt Hole Diameter", 13785, 4980, 1650, 255},
    {"txtBoltHoleDiameter", K::TextBox, "", 15495, 4965, 1095, 285, 38},
    {"LabelBoltCircle", K::Label, "Bolt Circle", 13785, 5325, 1650, 255},
    {"txtBoltCircle", K::TextBox, "", 15495, 5310, 1095, 285, 39},
    // What the last run's program cuts, measured on its moves: results like the diameters.
    {"LabelCut", K::Label, "Toolpath", 13740, 5865, 2340, 225, kNoTab, F::BodyBold},
    {"LabelCutLength", K::Label, "Cut Length", 13785, 6150, 1650, 255},
    {"txtCutLength", K::ResultBox, "", 15495, 6135, 1830, 285},
    {"LabelCutTime", K::Label, "Cut Time", 13785, 6495, 1650, 255},
    {"txtCutTime", K::ResultBox, "", 15495, 6480, 1830, 285},
    // How the DXF file is written, above the row of saves.
    {"LabelDxfUnits", K::Label, "DXF Units", 13785, 7440, 1050, 255},
    {"CheckDxfUnits", K::CheckBox, "", 14910, 7432, 240, 270, 64},
    {"LabelDxfPolyline", K::Label, "DXF Polylines", 15495, 7440, 1125, 255},
    {"CheckDxfPolyline", K::CheckBox, "", 16710, 7432, 240, 270, 65},
    // The design files, the fields as typed, and the drawings and the model, saved like the DXF
    // drawing: buttons across each column, 45 twips apart.
    {"CmdOpenDesign", K::Button, "Open Design...", 9810, 7845, 1230, 375, 66},
    {"CmdSaveDesign", K::Button, "Save Design...", 11085, 7845, 1230, 375, 67},
    {"CmdSVGSave", K::Button, "Save SVG File", 12360, 7845, 1230, 375, 68},
    {"CmdToolpathSave", K::Button, "Save Toolpath Picture", 13665, 7845, 1867, 375, 69},
    {"CmdModelSave", K::Button, "Save 3-D Model...", 15577, 7845, 1868, 375, 70},
};

int RoundToPixels(int twips) {
  return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

}  // namespace

std::span<const ControlLayout> WindowControls() {
  return kControls;
}

std::span<const ControlLayout> MorePanelControls() {
  return kMorePanelControls;
}

const ControlLayout* FindControlLayout(const char* name) {
  for (const auto table : {WindowControls(), MorePanelControls()}) {
    for (const ControlLayout& row : table) {
      if (std::strcmp(row.name, name) == 0) return &row;
    }
  }
  return nullptr;
}

QRect TwipsToPixels(int left, int top, int width, int height) {
  const int x = RoundToPixels(left);
  const int y = RoundToPixels(top);
  return QRect(x, y, RoundToPixels(left + width) - x, RoundToPixels(top + height) - y);
}

QFont FontFor(FontRole role) {
  QFont font;
  font.setFamilies(QStringList{"Liberation Sans", "Arial", "DejaVu Sans"});
  font.setStyleHint(QFont::SansSerif);
  switch (role) {
    case FontRole::Body:
      font.setPixelSize(kBodyPixels);
      break;
    case FontRole::BodyBold:
      font.setPixelSize(kBodyPixels);
      font.setBold(true);
      break;
    case FontRole::ZoneHeading:
      font.setPixelSize(kZoneHeadingPixels);
      font.setBold(true);
      break;
    case FontRole::ResultsHeading:
      font.setPixelSize(kResultsHeadingPixels);
      font.setBold(true);
      break;
    case FontRole::Title:
      // The heaviest weight of the sans stands in for the black display face.
      font.setPixelSize(kTitlePixels);
      font.setWeight(QFont::Black);
      font.setItalic(true);
      break;
  }
  return font;
}

}  // namespace toothwright
