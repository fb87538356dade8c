// The fixed layout of the main window: every control with its kind, caption, place in twips
// (1/1440 inch) from the top-left corner of the client area, keyboard focus place and font.
// The window is built from these tables alone; nothing else holds a position or a caption.
#pragma once

#include <QFont>
#include <QRect>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace toothwright {

// Twips per logical pixel: 1440 twips per inch at 96 logical pixels per inch. Qt scales
// logical pixels on high-DPI screens, so the layout is kept in logical pixels.
inline constexpr int kTwipsPerPixel = 15;

// The widget style the layout is measured with: a desktop style with wider margins could cut
// the captions of the small buttons.
inline constexpr const char* kLayoutStyle = "Fusion";

// The client area of the window, in twips (649 x 566 pixels).
inline constexpr int kClientWidthTwips = 9735;
inline constexpr int kClientHeightTwips = 8490;

// The More panel: three columns of the same height right of the client area, shown only while
// it is open (689 pixels wide, so the open window is 1338 x 566 pixels and fits a screen 1366
// pixels wide).
inline constexpr int kMorePanelWidthTwips = 10335;

enum class ControlKind {
  Label,       // a caption, transparent so that the frames beneath stay whole
  Button,      // a push button; none is the Enter or Escape default
  TextBox,     // a one-line editable field
  ResultBox,   // a one-line field the program writes: read-only, selected and copied with the
               // mouse, focused by a click but never by Tab
  ChoiceList,  // a drop-down list that accepts picks only
  CheckBox,    // a check box without a caption of its own
  Frame,       // a rectangle outline round a zone
  Picture,     // the preview picture box
  CodeBox,     // the multi-line G-code box, scroll bars both ways, no wrapping
};

// The fonts of the design, each the nearest match among the fonts Toothwright installs.
enum class FontRole {
  Body,            // the default of every control, 8.25 point sans
  BodyBold,        // the same, bold
  ZoneHeading,     // 12 point bold
  ResultsHeading,  // 13.5 point bold
  Title,           // the product name: a heavy sans at 18 point, italic
};

// No place in the keyboard focus order.
inline constexpr int kNoTab = -1;

// Places in the focus order, which Tab reads lowest first: the closed window's inputs and Go
// from 0, the More panel's groups from kPanelGroupsFocus, the G-code box and the saves beneath
// it from kGCodeFocus, the panel's DXF ticks and saves from kPanelSavesFocus, and the title
// row's buttons from kTitleFocus. Each range has room for the panel to grow.
inline constexpr int kPanelGroupsFocus = 100;
inline constexpr int kGCodeFocus = 1000;
inline constexpr int kPanelSavesFocus = 1100;
inline constexpr int kTitleFocus = 2000;

struct ControlLayout {
  std::string name;  // objectName of the control
  ControlKind kind;
  const char* caption;           // the text of a label or a button, "" for the other kinds
  int left, top, width, height;  // twips from the top-left of the client area
  int tab = kNoTab;              // place in the focus order, lowest first
  FontRole font = FontRole::Body;
  bool centred = false;  // caption centred across the control instead of left-aligned
};

// Every visible control of the window, in creation order: the zone frames first, so that the
// controls inside them are drawn over their outlines. All lie inside the client area.
std::span<const ControlLayout> WindowControls();

// The control named name among the window's and the More panel's (MorePanelControls), or
// nullopt.
std::optional<ControlLayout> FindControlLayout(std::string_view name);

// The rectangle of a control in logical pixels. Each edge is rounded to the nearest pixel on
// its own, so controls that share an edge in twips share it in pixels.
QRect TwipsToPixels(int left, int top, int width, int height);

// The font of a role. Sizes are set in pixels (the point size at 96 logical pixels per
// inch) so that text keeps its fit in the fixed layout whatever the desktop's font DPI.
QFont FontFor(FontRole role);

}  // namespace toothwright
