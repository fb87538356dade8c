// The panel's groups stack down their column, each as tall as its rows; every option row is
// placed from its group's frame by its rank among the group's options.
#include "ui/panel_layout.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <utility>

#include "sprocket/fields.h"

namespace toothwright {
namespace {

using K = ControlKind;

// A column of frames: its left edge and width, and how far from the left edge its rows' fields
// start; a row's caption fills the room before its field.
struct Column {
  int left;
  int width;
  int field_indent;
};
// The first two columns are 3780 twips wide and hold a caption as long as "Bolt Hole Diameter"
// and an "ANSI" button. The third holds only short captions and no button: it is no wider than
// they need, so that the open window stays 1338 pixels wide and fits a screen 1366 wide. 75
// twips lie between the columns.
constexpr std::array<Column, 3> kColumns = {
    {{9810, 3780, 1830}, {13665, 3780, 1830}, {17520, 2445, 1275}}};
// Group frames start level with the chain zone and stack down their column this far apart.
constexpr int kFirstGroupTop = 675;
constexpr int kGroupGap = 120;
// Rows lie this far apart; the first one a row below the frame's top, under the heading, and a
// frame ends this far below its last row's top plus a row.
constexpr int kRowPitch = 345;
constexpr int kFrameFoot = 45;
// From a frame's left edge: its heading, a row's caption, its field and the "ANSI" button.
constexpr int kHeadingIndent = 75;
constexpr int kHeadingDrop = 30;
constexpr int kCaptionIndent = 120;
constexpr int kCaptionGap = 60;  // between a caption's room and its field
constexpr int kStandardButtonIndent = 3045;
// How much higher than its caption each kind of control sits, to line their texts up.
constexpr int kFieldRise = 15;
constexpr int kListRise = 22;
constexpr int kTickRise = 8;

// The cut's figures are results rather than options: their first row is 30 twips higher than an
// option group's, and their boxes as wide as the direction list.
constexpr int kFiguresFirstRow = 315;
constexpr int kWideFieldWidth = 1830;

// The DXF file's ticks: across the second column above the saves, a caption and its tick box
// in each cell.
constexpr int kDxfRowTop = 7440;
constexpr int kDxfCellWidth = 1800;
constexpr int kDxfCaptionWidth = 1125;

// A framed group of the panel: its frame, its heading and the column it stacks in.
struct FrameLayout {
  const char* frame;
  const char* heading;
  const char* caption;
  int column;
};

// An option group: its options' rows in a frame.
struct GroupLayout {
  PanelGroup group;
  FrameLayout frame;
};

// The option groups, in the order they stack and take the focus.
constexpr GroupLayout kGroups[] = {
    {PanelGroup::ToothForm, {"ShapeToothForm", "LabelToothForm", "Tooth Form", 0}},
    {PanelGroup::Machining, {"ShapeMachining", "LabelMachining", "Machining", 0}},
    {PanelGroup::Solid, {"ShapeSolid", "LabelSolid", "Solid", 1}},
    {PanelGroup::Mounting, {"ShapeMounting", "LabelMounting", "Mounting", 1}},
    {PanelGroup::Beam, {"ShapeBeam", "LabelBeam", "Laser, Plasma, Waterjet", 2}},
};

// What the cut's program measures, in a frame beneath the groups of the second column.
constexpr FrameLayout kFiguresFrame = {"ShapeCut", "LabelCut", "Toolpath", 1};
// The figures' captions and result boxes.
constexpr std::array<std::array<const char*, 3>, 2> kFigures = {{
    {"LabelCutLength", "Cut Length", "txtCutLength"},
    {"LabelCutTime", "Cut Time", "txtCutTime"},
}};

// A view of the last run rather than an option, after the machining group's options: it
// redraws the picture and changes no output.
constexpr const char* kShowToolpathLabel = "LabelShowToolpath";
constexpr const char* kShowToolpathCaption = "Show Toolpath";
constexpr const char* kShowToolpathBox = "CheckShowToolpath";

// The design files, the fields as typed, and the drawings, the model and the cut path, saved like
// the DXF drawing: buttons across each column, 45 twips apart, level with "Save DXF File"; the
// 3-D view's above the model's save, beneath the cut's figures; the drive's in the third
// column above the cut path's, clear of the DXF ticks.
const ControlLayout kSaves[] = {
    {"CmdOpenDesign", K::Button, "Open Design...", 9810, 7845, 1230, 375},
    {"CmdSaveDesign", K::Button, "Save Design...", 11085, 7845, 1230, 375},
    {"CmdSVGSave", K::Button, "Save SVG File", 12360, 7845, 1230, 375},
    {"CmdToolpathSave", K::Button, "Save Toolpath Picture", 13665, 7845, 1867, 375},
    {"CmdSolidView", K::Button, "3-D View", 15577, 6990, 1868, 375},
    {"CmdModelSave", K::Button, "Save 3-D Model...", 15577, 7845, 1868, 375},
    {"CmdDrive", K::Button, "Drive...", 17520, 7410, 2445, 375},
    {"CmdCutPathSave", K::Button, "Save Cut Path...", 17520, 7845, 2445, 375},
};

// The panel's own heading, across the three columns.
const ControlLayout kHeading = {
    "LabelMoreOptions",    K::Label, "More Options", 9810, 150, 10155, 375, kNoTab,
    FontRole::ZoneHeading, true};

// The option rows of group, by their order within it.
std::vector<const OptionRow*> RowsOf(PanelGroup group) {
  std::vector<const OptionRow*> rows;
  for (const OptionRow& row : kOptionRows) {
    if (row.panel.group == group) rows.push_back(&row);
  }
  std::stable_sort(rows.begin(), rows.end(), [](const OptionRow* a, const OptionRow* b) {
    return a->panel.order < b->panel.order;
  });
  return rows;
}

// How many rows a group shows: its options, and Show Toolpath in the machining group.
int RowCount(PanelGroup group) {
  const int extra = group == PanelGroup::Machining ? 1 : 0;
  return static_cast<int>(RowsOf(group).size()) + extra;
}

int FrameHeight(int rows) {
  return kRowPitch * (rows + 1) + kFrameFoot;
}

// A frame placed in its column, with the option group it holds; none for the figures.
struct Placed {
  const FrameLayout* frame;
  std::optional<PanelGroup> group;
  const Column* column;
  int top;
  int rows;
};

// The groups stacked down their columns, the figures last in the second.
std::vector<Placed> PlaceGroups() {
  std::array<int, kColumns.size()> next_top;
  next_top.fill(kFirstGroupTop);
  std::vector<Placed> placed;
  const auto stack = [&](const FrameLayout& frame, std::optional<PanelGroup> group, int rows) {
    const auto column = static_cast<size_t>(frame.column);
    placed.push_back({&frame, group, &kColumns[column], next_top[column], rows});
    next_top[column] += FrameHeight(rows) + kGroupGap;
  };
  for (const GroupLayout& group : kGroups) stack(group.frame, group.group, RowCount(group.group));
  stack(kFiguresFrame, std::nullopt, static_cast<int>(kFigures.size()));
  return placed;
}

void AddHeading(const Placed& at, std::vector<ControlLayout>& out) {
  out.push_back({at.frame->heading, K::Label, at.frame->caption, at.column->left + kHeadingIndent,
                 at.top + kHeadingDrop, 2340, 225, kNoTab, FontRole::BodyBold});
}

// One option's caption, its control and, for a field taking the standard's value, its button.
void AddOptionRow(const OptionRow& row, const Column& column, int caption_top, int& focus,
                  std::vector<ControlLayout>& out) {
  const int left = column.left;
  out.push_back({row.label, K::Label, row.caption, left + kCaptionIndent, caption_top,
                 column.field_indent - kCaptionIndent - kCaptionGap, 255});
  const int field_left = left + column.field_indent;
  switch (row.kind) {
    case OptionKind::Tick:
      out.push_back(
          {row.control, K::CheckBox, "", field_left, caption_top - kTickRise, 240, 270, focus++});
      break;
    case OptionKind::Word:
      out.push_back({row.control, K::ChoiceList, "", field_left, caption_top - kListRise,
                     kWideFieldWidth, 300, focus++});
      break;
    default:
      out.push_back(
          {row.control, K::TextBox, "", field_left, caption_top - kFieldRise, 1095, 285, focus++});
      break;
  }
  if (row.standard_tip != nullptr) {
    out.push_back({StandardButtonName(row.control), K::Button, "ANSI", left + kStandardButtonIndent,
                   caption_top - kFieldRise, 615, 285, focus++});
  }
}

void AddGroupRows(const Placed& at, PanelGroup group, int& focus, std::vector<ControlLayout>& out) {
  int top = at.top + kRowPitch;
  for (const OptionRow* row : RowsOf(group)) {
    AddOptionRow(*row, *at.column, top, focus, out);
    top += kRowPitch;
  }
  if (group == PanelGroup::Machining) {
    const int left = at.column->left;
    out.push_back({kShowToolpathLabel, K::Label, kShowToolpathCaption, left + kCaptionIndent, top,
                   at.column->field_indent - kCaptionIndent - kCaptionGap, 255});
    out.push_back({kShowToolpathBox, K::CheckBox, "", left + at.column->field_indent,
                   top - kTickRise, 240, 270, focus++});
  }
}

void AddFigures(const Placed& at, std::vector<ControlLayout>& out) {
  const int left = at.column->left;
  const int caption_width = at.column->field_indent - kCaptionIndent - kCaptionGap;
  int top = at.top + kFiguresFirstRow;
  for (const auto& [label, caption, box] : kFigures) {
    out.push_back({label, K::Label, caption, left + kCaptionIndent, top, caption_width, 255});
    out.push_back({box, K::ResultBox, "", left + at.column->field_indent, top - kFieldRise,
                   kWideFieldWidth, 285});
    top += kRowPitch;
  }
}

// The DXF file's ticks, then the saves, which Tab reaches after "Save DXF File".
void AddDxfRowAndSaves(std::vector<ControlLayout>& out) {
  int focus = kPanelSavesFocus;
  int left = kColumns[1].left + kCaptionIndent;
  for (const OptionRow* row : RowsOf(PanelGroup::DxfRow)) {
    out.push_back({row->label, K::Label, row->caption, left, kDxfRowTop, kDxfCaptionWidth, 255});
    out.push_back({row->control, K::CheckBox, "", left + kDxfCaptionWidth, kDxfRowTop - kTickRise,
                   240, 270, focus++});
    left += kDxfCellWidth;
  }
  for (ControlLayout save : kSaves) {
    save.tab = focus++;
    out.push_back(std::move(save));
  }
}

}  // namespace

std::string StandardButtonName(const std::string& control) {
  // Fields are named "txt" and what they hold.
  constexpr std::string_view kFieldPrefix = "txt";
  const std::string_view what = std::string_view(control).substr(kFieldPrefix.size());
  return "Cmd" + std::string(what) + "ANSI";
}

std::vector<ControlLayout> MorePanelControls() {
  const std::vector<Placed> groups = PlaceGroups();
  std::vector<ControlLayout> out;
  // The frames first, so that the controls inside them are drawn over their outlines.
  for (const Placed& at : groups) {
    out.push_back({at.frame->frame, K::Frame, "", at.column->left, at.top, at.column->width,
                   FrameHeight(at.rows)});
  }
  out.push_back(kHeading);
  int focus = kPanelGroupsFocus;
  for (const Placed& at : groups) {
    AddHeading(at, out);
    if (at.group) {
      AddGroupRows(at, *at.group, focus, out);
    } else {
      AddFigures(at, out);
    }
  }
  AddDxfRowAndSaves(out);
  return out;
}

}  // namespace toothwright
