// Text-number conversions: the lenient and strict readings, the 15-digit writing, Round4.
#include "numbers/numbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <optional>

namespace toothwright {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(ParseLeadingReal, ReadsTheLeadingNumber) {
  struct Case {
    const char* text;
    double expected;
  };
  const Case cases[] = {
      {"", 0},
      {"abc", 0},
      {"0.5", 0.5},
      {"0.5in", 0.5},
      {"1/2", 1},
      {"1 2", 12},
      {" \t\n-3", -3},
      {"- 3", -3},
      {".5", 0.5},
      {"5.", 5},
      {".", 0},
      {"-", 0},
      {"1.2.3", 1.2},
      {"1E", 1},
      {"1E+", 1},
      {"1e2", 100},
      {"1E-2x", 0.01},
      {"1 e 2", 100},
      {"+7", 7},
      {"0x10", 0},
      {"inf", 0},
      {"1,5", 1},
      {"1e400", kInfinity},
      {"-1e400", -kInfinity},
      {"1e-999", 0},
      {"0.0e999999999999", 0},
      {"1e99999999999999999999", kInfinity},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseLeadingReal(c.text), c.expected);
  }
}

TEST(ParseLeadingReal, NegativeZeroKeepsItsSign) {
  EXPECT_TRUE(std::signbit(ParseLeadingReal("-0")));
}

TEST(ParseReal, AcceptsOnlyWholeFiniteNumbers) {
  struct Case {
    const char* text;
    std::optional<double> expected;
  };
  const Case cases[] = {
      {"0.5", 0.5},
      {"  0.5  ", 0.5},
      {"+0.5", 0.5},
      {"-0.5", -0.5},
      {".5", 0.5},
      {"5.", 5},
      {"1.8E1", 18},
      {"1e-5", 1e-5},
      {"2E+3", 2000},
      {"1e-999", 0},
      {"", std::nullopt},
      {" ", std::nullopt},
      {"0.5in", std::nullopt},
      {"1/2", std::nullopt},
      {"1 2", std::nullopt},
      {"1E", std::nullopt},
      {"1e+", std::nullopt},
      {".", std::nullopt},
      {"+", std::nullopt},
      {"inf", std::nullopt},
      {"nan", std::nullopt},
      {"0x1p3", std::nullopt},
      {"1,5", std::nullopt},
      {"1e400", std::nullopt},
      {"--1", std::nullopt},
      {"\t1", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseReal(c.text), c.expected);
  }
}

TEST(FormatReal, FifteenSignificantDigitsAndItsForms) {
  struct Case {
    double value;
    const char* expected;
  };
  const Case cases[] = {
      {0.5, "0.5"},
      {-0.5, "-0.5"},
      {3, "3"},
      {0, "0"},
      {-0.0, "0"},
      {1.0000000000000002, "1"},
      {0.00001, "1E-05"},
      {0.0001, "0.0001"},
      {1.5e15, "1.5E+15"},
      {999999999999999.9, "1E+15"},
      {123456789012345, "123456789012345"},
      {1e-300, "1E-300"},
      {-2.5e-7, "-2.5E-07"},
      {0.375 * 25.4, "9.525"},
      {2.8793852415718166, "2.87938524157182"},
      {1e100, "1E+100"},
      {100, "100"},
      {0.1 + 0.2, "0.3"},
      {kInfinity, "Infinity"},
      {-kInfinity, "-Infinity"},
      {std::numeric_limits<double>::quiet_NaN(), "NaN"},
      {-std::numeric_limits<double>::quiet_NaN(), "NaN"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(FormatReal(c.value), c.expected);
  }
}

TEST(FormatReal, IgnoresTheLocale) {
  // A locale with a decimal comma must not change the texts either way.
  const char* previous = std::setlocale(LC_ALL, nullptr);
  const std::string saved = previous ? previous : "C";
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no German locale";
  EXPECT_EQ(FormatReal(0.5), "0.5");
  EXPECT_EQ(ParseReal("0.5"), 0.5);
  EXPECT_EQ(ParseReal("0,5"), std::nullopt);
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(Round4, FourDecimalsHalvesToEven) {
  struct Case {
    double value, expected;
  };
  const Case cases[] = {
      {1.35294, 1.3529}, {1.35296, 1.353},    {0.00005, 0},
      {0.00025, 0.0002}, {0.00035, 0.0004},   {-0.00005, -0.0},
      {2.5e-5, 0},       {-1.23456, -1.2346}, {0.4924, 0.4924},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(Round4(c.value), c.expected);
  }
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(13.5), 14);
}

}  // namespace
}  // namespace toothwright
