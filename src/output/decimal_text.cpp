// A value v with at most four decimals is the double nearest to k / 10000 for a whole k.
// Below 1e11, k / 10000 has at most 15 significant digits, and v lies within half an ulp of
// it (about 1.1e-16 relative), far inside the half unit of the 15th digit (at least 5e-16
// relative) that the 15-digit rounding of FormatReal allows; so FormatReal writes k / 10000
// exactly, in fixed form since no non-zero such value lies below 1e-4. The check that
// k / 10000 gives v back confirms that v is such a value before the fast form is used.
#include "output/decimal_text.h"

#include <array>
#include <cassert>
#include <charconv>
#include <cmath>

#include "numbers/numbers.h"

namespace toothwright {
namespace {

constexpr double kTenThousandths = 10000;
// Below this magnitude k / 10000 has at most 15 significant digits.
constexpr double kLargestFast = 1e11;
// Room for the whole part below 1e11.
constexpr size_t kWholeBuffer = 24;

}  // namespace

void AppendFourDecimals(std::string& out, double value) {
  const double scaled = std::round(value * kTenThousandths);
  if (!(std::fabs(value) < kLargestFast) || scaled / kTenThousandths != value) {
    out += FormatReal(value);
    return;
  }
  long long k = static_cast<long long>(scaled);
  if (k == 0) {
    out += '0';  // a negative zero too
    return;
  }
  if (k < 0) {
    out += '-';
    k = -k;
  }
  std::array<char, kWholeBuffer> whole{};
  const auto result = std::to_chars(whole.data(), whole.data() + whole.size(), k / 10000);
  out.append(whole.data(), result.ptr);
  long long fraction = k % 10000;
  if (fraction == 0) return;
  std::array<char, 4> digits{};
  for (int i = 3; i >= 0; --i) {
    digits[static_cast<size_t>(i)] = static_cast<char>('0' + fraction % 10);
    fraction /= 10;
  }
  size_t length = digits.size();
  while (digits[length - 1] == '0') --length;  // no trailing zeros
  out += '.';
  out.append(digits.data(), length);
}

void AppendFixedDecimals(std::string& out, double value, int decimals) {
  assert(decimals >= 4 && decimals <= 15);
  if (!(std::fabs(value) < kLargestFast)) {
    out += FormatReal(value);
    return;
  }
  // Sign, eleven whole digits, the point and the decimals.
  std::array<char, 32> text{};
  const auto result = std::to_chars(text.data(), text.data() + text.size(), value,
                                    std::chars_format::fixed, decimals);
  const char* begin = text.data();
  const char* end = result.ptr;
  while (end[-1] == '0') --end;  // to_chars wrote the point, so a digit stops this
  if (end[-1] == '.') --end;
  if (end - begin == 2 && begin[0] == '-' && begin[1] == '0') ++begin;  // "-0" is "0"
  out.append(begin, end);
}

const std::string& RadiusTexts::Of(double radius) {
  for (const auto& [value, text] : texts_) {
    if (value == radius) return text;
  }
  if (texts_.size() == kKept) return fresh_ = FormatReal(radius);
  return texts_.emplace_back(radius, FormatReal(radius)).second;
}

}  // namespace toothwright
