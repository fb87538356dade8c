// Number texts for the output writers, which write hundreds of thousands of numbers for a
// large sprocket. Most of them hold four decimals (the profile's coordinates and the rounded
// arc-centre offsets); those are written straight from their whole count of ten-thousandths.
#pragma once

#include <string>

namespace toothwright {

// Appends FormatReal(value) to out. Fast for a value that holds at most four decimals and
// lies below 1e11 in magnitude (what Round4 gives for such numbers); any other finite value
// goes through FormatReal itself.
void AppendFourDecimals(std::string& out, double value);

}  // namespace toothwright
