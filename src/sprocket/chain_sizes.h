// The fifteen standard roller chains, and the texts a chain pick writes into the pitch and
// roller-diameter fields under the current unit.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace toothwright {

struct ChainSize {
  const char* name;
  double pitch;   // inches
  double roller;  // roller diameter, inches
};

inline constexpr std::array<ChainSize, 15> ChainSizeTable = {{
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
