// The milling program: one closed contour round the sprocket at a single depth, three arc
// moves per tooth; every line ends in CR LF.
#pragma once

#include <string>
#include <string_view>

#include "sprocket/tooth_profile.h"

namespace toothwright {

// The G-code text for profile (indices 1..N; T bounds the tooth loop). units: "G20" when
// exactly "English", else "G21". offset: the "G42" line, and then a closing "G40" line.
// depth: its leading number's magnitude after "G1 Z-" (that number must be finite; the run
// refuses other depths). feed: copied after " F" on the plunge and arc lines when it sorts
// after a single space. Without offset the text has 3N + 4 lines, with it 3N + 6.
std::string WriteGCode(const ToothProfile& profile, int N, double T, std::string_view units,
                       bool offset, std::string_view depth, std::string_view feed);

}  // namespace toothwright
