// Whether the window can be opened at all, checked before the toolkit starts: without a
// display the toolkit would only abort with a message about its platform plugin.
#pragma once

namespace toothwright {

// True when a display or a platform plugin is named: any of the three environment values
// (DISPLAY, WAYLAND_DISPLAY, QT_QPA_PLATFORM) is set and not empty; nullptr means unset.
bool DisplayNamed(const char* display, const char* wayland_display, const char* qpa_platform);

// What the program prints when no display is named, ending in a line break.
inline constexpr const char* kNoDisplayHint =
    "toothwright: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set).\n"
    "Start it from a desktop session, or compute the same sprocket without a window, e.g.\n"
    "  toothwright-cli --chain \"ANSI 40\" --teeth 18\n";

}  // namespace toothwright
