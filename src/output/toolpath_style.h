// The look shared by every toolpath picture, on the preview's canvas and in the SVG document.
#pragma once

#include <cstdint>
#include <string_view>

namespace toothwright {

// Colours readable on white and told apart with any colour vision, and from the part's red:
// the path blue (#0072B2), the entry and tab marks orange (#E69F00), the swept width (drawn in
// the SVG document only) a pale blue (#B3D5E8). Canvas colours are 24-bit values with red in
// the low byte.
inline constexpr std::uint32_t kToolpathBlue = 0xB27200;
inline constexpr std::uint32_t kToolpathOrange = 0x009FE6;
inline constexpr std::string_view kToolpathBlueHex = "#0072b2";
inline constexpr std::string_view kToolpathOrangeHex = "#e69f00";
inline constexpr std::string_view kSweptBlueHex = "#b3d5e8";

// The caption beside a toolpath picture of a program written with cutter compensation
// (Compensated): the path drawn is the one written, not the cutter centre's.
inline constexpr const char* kCompensationCaption =
    "Toolpath as written: the controller offsets it by the cutter's radius";

}  // namespace toothwright
