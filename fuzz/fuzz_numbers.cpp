// Fuzzes the text-number conversions: no crash or out-of-bounds read on any bytes, and
// FormatReal of any finite double reads back to the value rounded to 15 significant digits,
// in a text of digits, '.', 'E', '+' and '-' only.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>

#include "numbers/numbers.h"

namespace {

double RoundedTo15Digits(double value) {
  char buffer[64];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14).ptr;
  double rounded = 0;
  if (std::from_chars(buffer, end, rounded).ec != std::errc()) {
    return std::numeric_limits<double>::infinity();  // beyond the largest double
  }
  return rounded;
}

void CheckFormat(double value) {
  using namespace toothwright;
  const std::string text = FormatReal(value);
  if (text.find_first_not_of("0123456789.E+-") != std::string::npos) std::abort();
  const auto back = ParseReal(text);
  if (!back) std::abort();
  const double expected = value == 0 ? 0.0 : RoundedTo15Digits(value);
  if (*back != expected && !(std::isinf(expected) && std::isinf(*back))) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace toothwright;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double lenient = ParseLeadingReal(text);
  const auto strict = ParseReal(text);
  // A text that is wholly a number reads the same both ways.
  if (strict && *strict != lenient) std::abort();
  if (strict) CheckFormat(*strict);
  if (size >= sizeof(double)) {
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    if (std::isfinite(value) && std::isfinite(RoundedTo15Digits(value))) CheckFormat(value);
  }
  return 0;
}
