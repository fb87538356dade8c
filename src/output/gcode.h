// The milling program: one closed contour round the sprocket at a single depth, one move per
// segment of the outline; every line ends in CR LF.
#pragma once

#include <string>
#include <string_view>

#include "geometry/path.h"

namespace toothwright {

// The G-code text for a closed path. units: "G20" when exactly "English", else "G21".
// offset: the "G42" line, and then a closing "G40" line. depth: its leading number's
// magnitude after "G1 Z-" (that number must be finite; the run refuses other depths). feed:
// copied after " F" on the plunge and cutting lines when it sorts after a single space.
// Without offset the text has one line per segment and 4 more, with it 6 more.
std::string WriteGCode(const Path& path, std::string_view units, bool offset,
                       std::string_view depth, std::string_view feed);

}  // namespace toothwright
