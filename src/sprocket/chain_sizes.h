// The standard roller chains (ANSI, motorcycle and ISO 606 B-series), and the texts a chain pick
// writes into the pitch and roller-diameter fields under the current unit.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "numbers/units.h"

namespace toothwright {

// The standard a chain is made to: it fixes the rules for the sprocket's tooth width and
// tooth side chamfer.
enum class ChainStandard : unsigned char {
  Other,  // motorcycle and bicycle chains, whose makers' widths vary
  Ansi,   // ANSI B29.1
  IsoB,   // ISO 606 B-series
};

struct ChainSize {
  const char* name;
  double pitch;   // inches
  double roller;  // roller diameter, inches
  ChainStandard standard = ChainStandard::Other;
  // The width between the inner plates, inches; 0 where the standard gives none.
  double inner_width = 0;
  // The distance between the strands of a multi-strand chain, inches; 0 where the standard
  // makes the chain in one strand only.
  double transverse_pitch = 0;
};

// In families, each in order of size: the ANSI chains, the bicycle and motorcycle chains, ISO
// 606's B-series. Inner widths and transverse pitches: ANSI B29.1's W and Pt, ISO 606's b1
// (minimum) and pt.
inline constexpr std::array<ChainSize, 34> ChainSizeTable = {{
    {"ANSI 25", 0.25, 0.13, ChainStandard::Ansi, 0.125, 0.252},
    {"ANSI 35", 0.375, 0.2, ChainStandard::Ansi, 0.1875, 0.399},
    {"ANSI 40", 0.5, 0.3125, ChainStandard::Ansi, 0.3125, 0.566},
    {"ANSI 41", 0.5, 0.306, ChainStandard::Ansi, 0.25},
    {"ANSI 50", 0.625, 0.4, ChainStandard::Ansi, 0.375, 0.713},
    {"ANSI 60", 0.75, 0.46875, ChainStandard::Ansi, 0.5, 0.897},
    {"ANSI 80", 1, 0.625, ChainStandard::Ansi, 0.625, 1.153},
    {"ANSI 100", 1.25, 0.75, ChainStandard::Ansi, 0.75, 1.409},
    {"ANSI 120", 1.5, 0.875, ChainStandard::Ansi, 1, 1.789},
    {"ANSI 140", 1.75, 1, ChainStandard::Ansi, 1, 1.924},
    {"ANSI 160", 2, 1.125, ChainStandard::Ansi, 1.25, 2.305},
    {"ANSI 180", 2.25, 1.40625, ChainStandard::Ansi, 1.40625, 2.592},
    {"ANSI 200", 2.5, 1.5625, ChainStandard::Ansi, 1.5, 2.817},
    {"ANSI 240", 3, 1.875, ChainStandard::Ansi, 1.875, 3.458},
    {"Bicycle", 0.5, 0.3125},
    {"Bike 420", 0.5, 0.3125},
    {"Bike 425", 0.5, 0.3125},
    {"Bike 428", 0.5, 0.335},
    {"Bike 520", 0.625, 0.4},
    {"Bike 525", 0.625, 0.4},
    {"Bike 530", 0.625, 0.4},
    {"Bike 630", 0.75, 0.46875},
    // ISO 606 B-series chains are sized in millimetres.
    {"ISO 05B", 8 / kMillimetresPerInch, 5 / kMillimetresPerInch, ChainStandard::IsoB,
     3 / kMillimetresPerInch, 5.64 / kMillimetresPerInch},
    {"ISO 06B", 9.525 / kMillimetresPerInch, 6.35 / kMillimetresPerInch, ChainStandard::IsoB,
     5.72 / kMillimetresPerInch, 10.24 / kMillimetresPerInch},
    {"ISO 08B", 12.7 / kMillimetresPerInch, 8.51 / kMillimetresPerInch, ChainStandard::IsoB,
     7.75 / kMillimetresPerInch, 13.92 / kMillimetresPerInch},
    {"ISO 10B", 15.875 / kMillimetresPerInch, 10.16 / kMillimetresPerInch, ChainStandard::IsoB,
     9.65 / kMillimetresPerInch, 16.59 / kMillimetresPerInch},
    {"ISO 12B", 19.05 / kMillimetresPerInch, 12.07 / kMillimetresPerInch, ChainStandard::IsoB,
     11.68 / kMillimetresPerInch, 19.46 / kMillimetresPerInch},
    {"ISO 16B", 25.4 / kMillimetresPerInch, 15.88 / kMillimetresPerInch, ChainStandard::IsoB,
     17.02 / kMillimetresPerInch, 31.88 / kMillimetresPerInch},
    {"ISO 20B", 31.75 / kMillimetresPerInch, 19.05 / kMillimetresPerInch, ChainStandard::IsoB,
     19.56 / kMillimetresPerInch, 36.45 / kMillimetresPerInch},
    {"ISO 24B", 38.1 / kMillimetresPerInch, 25.4 / kMillimetresPerInch, ChainStandard::IsoB,
     25.4 / kMillimetresPerInch, 48.36 / kMillimetresPerInch},
    {"ISO 28B", 44.45 / kMillimetresPerInch, 27.94 / kMillimetresPerInch, ChainStandard::IsoB,
     30.99 / kMillimetresPerInch, 59.56 / kMillimetresPerInch},
    {"ISO 32B", 50.8 / kMillimetresPerInch, 29.21 / kMillimetresPerInch, ChainStandard::IsoB,
     30.99 / kMillimetresPerInch, 58.55 / kMillimetresPerInch},
    {"ISO 40B", 63.5 / kMillimetresPerInch, 39.37 / kMillimetresPerInch, ChainStandard::IsoB,
     38.1 / kMillimetresPerInch, 72.29 / kMillimetresPerInch},
    {"ISO 48B", 76.2 / kMillimetresPerInch, 48.26 / kMillimetresPerInch, ChainStandard::IsoB,
     45.72 / kMillimetresPerInch, 91.21 / kMillimetresPerInch},
}};

// The row whose name equals name exactly (case-sensitive), or nullopt.
std::optional<ChainSize> FindChainSize(std::string_view name);

struct LengthTexts {
  std::string pitch;   // for txtPitch
  std::string roller;  // for txtRollerDiameter
};

// The texts for a pitch and roller diameter given in inches, in unit: as they are in inches,
// times 25.4 in millimetres.
LengthTexts SetChainSize(double pitch, double roller, LengthUnit unit);

}  // namespace toothwright
