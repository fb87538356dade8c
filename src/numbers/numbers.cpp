// Text-number conversions built on std::from_chars / std::to_chars, so no locale is involved.
// Both readings first collect the characters of the number into a clean buffer; the grammar
// is checked here, and from_chars only converts what the grammar accepted.
#include "numbers/numbers.h"

#include <array>
#include <cassert>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace toothwright {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsLenientBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

// The parts of a number as the scanners found them, blanks removed.
struct NumberText {
  bool negative = false;
  std::string mantissa;  // digits and at most one '.', at least one digit
  std::string exponent;  // optional sign and digits, or empty
};

// An exponent's digits stop counting from this size on: far past any double's range, and far
// below where the count would overflow.
constexpr long long kExponentSaturation = 1000000000;

// Decimal exponent of the leading significant digit, saturated; used only to tell an
// overflow from an underflow once from_chars reports the value out of range.
long long MagnitudeExponent(const NumberText& n) {
  long long exponent = 0;
  const char* e = n.exponent.c_str();
  bool exponent_negative = false;
  if (*e == '+' || *e == '-') exponent_negative = *e++ == '-';
  for (; *e != '\0'; ++e) {
    if (exponent < kExponentSaturation) exponent = exponent * 10 + (*e - '0');
  }
  if (exponent_negative) exponent = -exponent;
  long long position = 0;  // digits before the point, less leading zeros
  bool seen_point = false;
  bool seen_significant = false;
  for (char c : n.mantissa) {
    if (c == '.') {
      seen_point = true;
    } else if (!seen_significant && c == '0') {
      if (seen_point) --position;
    } else {
      seen_significant = true;
      if (!seen_point) ++position;
    }
  }
  return exponent + position;
}

double Convert(const NumberText& n) {
  std::string text = n.mantissa;
  if (!n.exponent.empty()) text += "e" + n.exponent;
  double value = 0.0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    value = MagnitudeExponent(n) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  assert(error == std::errc() || error == std::errc::result_out_of_range);
  return n.negative ? -value : value;
}

// A cursor over a text that can be told to skip the lenient reading's blanks.
class Scanner {
 public:
  Scanner(std::string_view text, bool skip_blanks) : text_(text), skip_blanks_(skip_blanks) {}
  char Peek() {
    if (skip_blanks_) {
      while (pos_ < text_.size() && IsLenientBlank(text_[pos_])) ++pos_;
    }
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  void Advance() { ++pos_; }
  size_t Position() const { return pos_; }
  void Rewind(size_t pos) { pos_ = pos; }

 private:
  std::string_view text_;
  bool skip_blanks_;
  size_t pos_ = 0;
};

// Reads sign, mantissa and exponent from the scanner's position. Returns nullopt when no
// digit of the mantissa is found; an exponent without digits is left unread.
std::optional<NumberText> ScanNumber(Scanner& in) {
  NumberText n;
  if (in.Peek() == '+' || in.Peek() == '-') {
    n.negative = in.Peek() == '-';
    in.Advance();
  }
  bool has_digit = false;
  bool has_point = false;
  for (char c = in.Peek(); IsDigit(c) || (c == '.' && !has_point); c = in.Peek()) {
    has_digit = has_digit || IsDigit(c);
    has_point = has_point || c == '.';
    n.mantissa += c;
    in.Advance();
  }
  if (!has_digit) return std::nullopt;
  const size_t before_exponent = in.Position();
  if (in.Peek() == 'E' || in.Peek() == 'e') {
    in.Advance();
    std::string exponent;
    if (in.Peek() == '+' || in.Peek() == '-') {
      exponent += in.Peek();
      in.Advance();
    }
    bool exponent_digit = false;
    for (char c = in.Peek(); IsDigit(c); c = in.Peek()) {
      exponent += c;
      exponent_digit = true;
      in.Advance();
    }
    if (exponent_digit) {
      n.exponent = std::move(exponent);
    } else {
      in.Rewind(before_exponent);
    }
  }
  return n;
}

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// Writes the 15 significant digits of value (with no trailing zeros) and its decimal exponent.
struct Digits {
  std::string digits;
  int exponent = 0;  // value = 0.d1d2d3... * 10^(exponent + 1), i.e. d1 sits at 10^exponent
};

Digits SignificantDigits(double magnitude) {
  // 14 digits after the point of the scientific form: 15 significant digits, rounded from
  // the exact binary value with halves to even.
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                    std::chars_format::scientific, 14);
  const std::string_view text(buffer.data(), static_cast<size_t>(result.ptr - buffer.data()));
  const size_t e = text.find('e');
  Digits d;
  for (char c : text.substr(0, e)) {
    if (c != '.') d.digits += c;
  }
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
  std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(),
                  d.exponent);
  return d;
}

std::string ExponentForm(const Digits& d) {
  std::string out(1, d.digits[0]);
  if (d.digits.size() > 1) out.append(".").append(d.digits, 1);
  const int magnitude = std::abs(d.exponent);
  out += d.exponent < 0 ? "E-" : "E+";
  if (magnitude < 10) out += '0';
  out += std::to_string(magnitude);
  return out;
}

std::string FixedForm(const Digits& d) {
  if (d.exponent < 0) {
    return "0." + std::string(static_cast<size_t>(-d.exponent - 1), '0') + d.digits;
  }
  const size_t whole = static_cast<size_t>(d.exponent) + 1;
  if (d.digits.size() <= whole) return d.digits + std::string(whole - d.digits.size(), '0');
  return d.digits.substr(0, whole).append(".").append(d.digits, whole);
}

// Exponent form below 1e-4 and from 1e15 up, decided after rounding to 15 digits.
constexpr int kSmallestFixedExponent = -4;
constexpr int kLargestFixedExponent = 14;

}  // namespace

double ParseLeadingReal(std::string_view text) {
  Scanner in(text, /*skip_blanks=*/true);
  const std::optional<NumberText> n = ScanNumber(in);
  return n ? Convert(*n) : 0.0;
}

std::optional<double> ParseReal(std::string_view text) {
  text = TrimSpaces(text);
  Scanner in(text, /*skip_blanks=*/false);
  const std::optional<NumberText> n = ScanNumber(in);
  if (!n || in.Position() != text.size()) return std::nullopt;
  const double value = Convert(*n);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::string FormatReal(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0.0 ? "-Infinity" : "Infinity";
  if (value == 0.0) return "0";
  const Digits d = SignificantDigits(std::fabs(value));
  const bool exponent_form =
      d.exponent < kSmallestFixedExponent || d.exponent > kLargestFixedExponent;
  const std::string body = exponent_form ? ExponentForm(d) : FixedForm(d);
  return value < 0.0 ? "-" + body : body;
}

double RoundHalfEven(double value) {
  const double nearest = std::round(value);  // halves away from zero
  if (std::fabs(nearest - value) == 0.5) return 2.0 * std::round(value / 2.0);
  return nearest;
}

double Round4(double value) {
  return RoundHalfEven(value * 10000.0) / 10000.0;
}

std::optional<double> ParsePositive(std::string_view text) {
  const std::optional<double> value = ParseReal(text);
  if (!value || !(*value > 0)) return std::nullopt;
  return value;
}

std::optional<int> ParseCount(std::string_view text, int lowest, int highest) {
  const std::optional<double> value = ParseReal(text);
  if (!value || *value != std::floor(*value) || *value < lowest || *value > highest) {
    return std::nullopt;
  }
  return static_cast<int>(*value);
}

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

std::string TypedWord(std::string_view text) {
  std::string word;
  for (char c : text) {
    if (c != ' ' && c != '\t')
      word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return word;
}

std::string NumberReason(std::string_view text) {
  if (IsBlank(text)) return "A value is needed";
  const std::optional<double> value = ParseReal(text);
  if (!value) {
    std::string reason = "\"";
    reason.append(text).append("\" is not a plain decimal number, such as 0.125");
    return reason;
  }
  if (!(*value > 0)) return "It must be above 0";
  if (text.find_first_of("Ee") != std::string_view::npos) return "Write it without an exponent";
  return {};
}

}  // namespace toothwright
