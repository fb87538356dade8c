// The standard roller chains (ANSI, motorcycle and ISO 606 B-series), and the texts a chain pick
// writes into the pitch and roller-diameter fields under the current unit.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "sprocket/units.h"

namespace toothwright {

struct ChainSize {
  const char* name;
  double pitch;   // inches
  double roller;  // roller diameter, inches
};

inline constexpr std::array<ChainSize, 34> ChainSizeTable = {{
    {"ANSI 25", 0.25, 0.13},
    {"ANSI 35", 0.375, 0.2},
    {"ANSI 40", 0.5, 0.3125},
    {"ANSI 41", 0.5, 0.306},
    {"ANSI 50", 0.625, 0.4},
    {"ANSI 60", 0.75, 0.46875},
    {"ANSI 80", 1, 0.625},
    {"Bicycle", 0.5, 0.3125},
    {"Bike 420", 0.5, 0.3125},
    {"Bike 425", 0.5, 0.3125},
    {"Bike 428", 0.5, 0.335},
    {"Bike 520", 0.625, 0.4},
    {"Bike 525", 0.625, 0.4},
    {"Bike 530", 0.625, 0.4},
    {"Bike 630", 0.75, 0.46875},
    {"ANSI 100", 1.25, 0.75},
    {"ANSI 120", 1.5, 0.875},
    {"ANSI 140", 1.75, 1},
    {"ANSI 160", 2, 1.125},
    {"ANSI 180", 2.25, 1.40625},
    {"ANSI 200", 2.5, 1.5625},
    {"ANSI 240", 3, 1.875},
    // ISO 606 B-series chains are sized in millimetres.
    {"ISO 05B", 8 / kMillimetresPerInch, 5 / kMillimetresPerInch},
    {"ISO 06B", 9.525 / kMillimetresPerInch, 6.35 / kMillimetresPerInch},
    {"ISO 08B", 12.7 / kMillimetresPerInch, 8.51 / kMillimetresPerInch},
    {"ISO 10B", 15.875 / kMillimetresPerInch, 10.16 / kMillimetresPerInch},
    {"ISO 12B", 19.05 / kMillimetresPerInch, 12.07 / kMillimetresPerInch},
    {"ISO 16B", 25.4 / kMillimetresPerInch, 15.88 / kMillimetresPerInch},
    {"ISO 20B", 31.75 / kMillimetresPerInch, 19.05 / kMillimetresPerInch},
    {"ISO 24B", 38.1 / kMillimetresPerInch, 25.4 / kMillimetresPerInch},
    {"ISO 28B", 44.45 / kMillimetresPerInch, 27.94 / kMillimetresPerInch},
    {"ISO 32B", 50.8 / kMillimetresPerInch, 29.21 / kMillimetresPerInch},
    {"ISO 40B", 63.5 / kMillimetresPerInch, 39.37 / kMillimetresPerInch},
    {"ISO 48B", 76.2 / kMillimetresPerInch, 48.26 / kMillimetresPerInch},
}};

// The row whose name equals name exactly (case-sensitive), or nullopt.
std::optional<ChainSize> FindChainSize(std::string_view name);

struct LengthTexts {
  std::string pitch;   // for txtPitch
  std::string roller;  // for txtRollerDiameter
};

// The texts for a pitch and roller diameter given in inches: as they are under "English",
// times 25.4 under any other unit text.
LengthTexts SetChainSize(double pitch, double roller, std::string_view units);

}  // namespace toothwright
