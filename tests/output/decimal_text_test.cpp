// The fast four-decimal texts agree with FormatReal on every value, fast path or not.
#include "output/decimal_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "numbers/numbers.h"

namespace toothwright {
namespace {

std::string Text(double value) {
  std::string out = "x";  // appends, never replaces
  AppendFourDecimals(out, value);
  return out.substr(1);
}

TEST(FourDecimals, EdgeValues) {
  struct Case {
    const char* name;
    double value;
    const char* text;
  };
  const Case cases[] = {
      {"zero", 0.0, "0"},
      {"negative zero", -0.0, "0"},
      {"smallest step", 0.0001, "0.0001"},
      {"smallest negative step", -0.0001, "-0.0001"},
      {"whole", 3, "3"},
      {"trailing zeros dropped", 1.25, "1.25"},
      {"stored coordinate", 1.2748, "1.2748"},
      {"negative coordinate", -0.2871, "-0.2871"},
      {"fraction with inner zeros", 10.0302, "10.0302"},
      {"largest fast value", 99999999999.9999, "99999999999.9999"},
      {"first value past the fast range", 1e11, "100000000000"},
      {"more decimals", 1.23456, "1.23456"},
      {"exponent form below 1e-4", 0.00005, "5E-05"},
      {"exponent form from 1e15", 2.5e15, "2.5E+15"},
      {"sixteen digits, rounded to fifteen", 123456789012.3456, "123456789012.346"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Text(c.value), c.text);
    EXPECT_EQ(Text(c.value), FormatReal(c.value));
  }
}

// Round4 results over many magnitudes, and values that are not such results.
TEST(FourDecimals, AgreesWithFormatRealEverywhere) {
  std::mt19937_64 random(20240601);
  std::uniform_real_distribution<double> mantissa(-10, 10);
  std::uniform_int_distribution<int> exponent(-6, 12);
  for (int k = 0; k < 200000; ++k) {
    const double raw = mantissa(random) * std::pow(10.0, exponent(random));
    const double rounded = Round4(raw);
    ASSERT_EQ(Text(rounded), FormatReal(rounded)) << "Round4 of " << raw;
    ASSERT_EQ(Text(raw), FormatReal(raw)) << raw;
  }
}

TEST(FixedDecimals, NoExponentNoTrailingZeros) {
  struct Case {
    const char* name;
    double value;
    int decimals;
    const char* text;
  };
  const Case cases[] = {
      {"below 1e-4, where FormatReal turns to an exponent", 0.00005, 5, "0.00005"},
      {"rounded", 0.123456789, 6, "0.123457"},
      {"trailing zeros dropped", 1.5, 8, "1.5"},
      {"whole", -3, 6, "-3"},
      {"rounds to zero from below", -0.0000001, 5, "0"},
      {"negative", -0.0625, 8, "-0.0625"},
      {"from 1e11 up, fifteen digits", 123456789012.34567, 8, "123456789012.346"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string out = "x";
    AppendFixedDecimals(out, c.value, c.decimals);
    EXPECT_EQ(out, std::string("x") + c.text);
  }
}

}  // namespace
}  // namespace toothwright
