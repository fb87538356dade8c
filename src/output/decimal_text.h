// Number texts for the output writers, which write hundreds of thousands of numbers for a
// large sprocket. Most of them hold four decimals (the profile's coordinates and the rounded
// arc-centre offsets); those are written straight from their whole count of ten-thousandths.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace toothwright {

// Appends FormatReal(value) to out. Fast for a value that holds at most four decimals and
// lies below 1e11 in magnitude (what Round4 gives for such numbers); any other finite value
// goes through FormatReal itself.
void AppendFourDecimals(std::string& out, double value);

// Appends value rounded to `decimals` decimals (4 to 15) in fixed form: no exponent, no
// trailing zeros or point, "0" for a value that rounds to zero (never "-0"). For an arc's
// centre offset written with more decimals than the coordinates, which FormatReal would write
// in exponent form below 1e-4. From 1e11 up, where a double holds no more than four decimals
// anyway, FormatReal(value): fixed form below 1e15, beyond any sprocket a run accepts.
void AppendFixedDecimals(std::string& out, double value, int decimals);

// FormatReal of the radii of a drawing's arcs, each worked out once: an outline has a handful
// of distinct radii, each on thousands of arcs. Past kKept distinct values the text is made
// afresh each time, so the search stays short.
class RadiusTexts {
 public:
  const std::string& Of(double radius);

 private:
  static constexpr size_t kKept = 16;
  std::vector<std::pair<double, std::string>> texts_;
  std::string fresh_;
};

}  // namespace toothwright
