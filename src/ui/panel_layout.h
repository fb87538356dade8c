// The More panel's layout, made from the option rows: framed groups in three columns, a row per
// option placed by its group and its order within the group, a caption per row with its field,
// list or tick box beside it, and an "ANSI" button beside a field that takes the chain
// standard's value. The cut's figures, the row of DXF ticks and the row of saves lie beneath;
// the third column holds a beam's options, with the cut path's save at its foot.
// Adding an option to a group adds its row here and moves the rows and groups below it down.
#pragma once

#include <vector>

#include "ui/window_layout.h"

namespace toothwright {

// The controls of the More panel, in creation order, frames first. They lie in the columns from
// kClientWidthTwips to kClientWidthTwips + kMorePanelWidthTwips, still measured from the
// top-left of the client area. Their focus places run from kPanelGroupsFocus for the groups,
// column by column, top to bottom, and from kPanelSavesFocus for the DXF file's ticks and the
// panel's saves.
std::vector<ControlLayout> MorePanelControls();

// The name of the button beside the field named control that fills in the chain standard's
// value: "txtThickness" gives "CmdThicknessANSI".
std::string StandardButtonName(const std::string& control);

}  // namespace toothwright
