// The layout table of the main window and the mapping of twips and design fonts to Qt.
#include "ui/window_layout.h"

#include <QStringList>
#include <cmath>
#include <utility>

#include "ui/panel_layout.h"

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

const ControlLayout kControls[] = {
    // Zone frames.
    {"Shape1", K::Frame, "", 105, 675, 9255, 1575},
    {"Shape3", K::Frame, "", 120, 2400, 9255, 735},
    // Title.
    {"Label7", K::Label, "Toothwright 2.0", 120, 0, 4095, 495, kNoTab, F::Title},
    {"CmdAbout", K::Button, "Info", 8400, 120, 975, 255, kTitleFocus + 1},
    // Opens and closes the More panel; in the title row's free space, so nothing else moves.
    {"CmdMore", K::Button, "More \u25b8", 7065, 120, 1215, 255, kTitleFocus},
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
    {"txtInfo", K::CodeBox, "", 6030, 4245, 3495, 2475, kGCodeFocus},
    {"CmdSelectGCODE", K::Button, "Select All", 6120, 6825, 975, 375, kGCodeFocus + 1},
    {"CmdGCodeSave", K::Button, "Save G-Code", 8040, 6825, 1335, 375, kGCodeFocus + 2},
    {"Label13", K::Label, "DXF / CAD Results", 6015, 7365, 3495, 375, kNoTab, F::ZoneHeading, true},
    {"CmdDXFSave", K::Button, "Save DXF File", 6975, 7845, 1455, 375, kGCodeFocus + 3},
};

int RoundToPixels(int twips) {
  return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

}  // namespace

std::span<const ControlLayout> WindowControls() {
  return kControls;
}

std::optional<ControlLayout> FindControlLayout(std::string_view name) {
  for (const ControlLayout& row : WindowControls()) {
    if (row.name == name) return row;
  }
  for (ControlLayout& row : MorePanelControls()) {
    if (row.name == name) return std::move(row);
  }
  return std::nullopt;
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
