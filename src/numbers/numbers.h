// Conversions between field texts and numbers. The decimal point is always '.', whatever the
// host's regional settings.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace toothwright {

// The lenient reading: the leading number of the text, 0 when there is none; never fails.
// Blanks, tabs and line feeds are skipped wherever they stand ("1 2" reads 12). Reads an
// optional sign, digits with at most one '.', and an exponent (E or e, optional sign, digits)
// when it has digits ("1E" and "1E+" read 1). A leading number beyond the double range gives
// an infinity of its sign; one below the smallest double gives 0.
double ParseLeadingReal(std::string_view text);

// The strict reading: the whole text, apart from surrounding spaces, must be one finite
// number: optional sign, digits with at most one '.' (".5" and "5." included), an optional
// exponent. Anything else ("inf", "nan", hex, a comma, "1e400") gives nullopt.
std::optional<double> ParseReal(std::string_view text);

// The strict reading of a field that must hold a number above 0; nullopt otherwise.
std::optional<double> ParsePositive(std::string_view text);

// The strict reading of a field that must hold a whole number from lowest to highest.
std::optional<int> ParseCount(std::string_view text, int lowest, int highest);

// Why a field that must hold a number above 0 was refused, when its text says so: empty, not
// a plain decimal number, not above 0, or written with an exponent; empty when it is such a
// number.
std::string NumberReason(std::string_view text);

// A field left empty, or holding only blanks (space, tab, CR, LF): an option so left is off.
bool IsBlank(std::string_view text);

// A word field's text as compared with its words: in lower case, spaces and tabs left out.
std::string TypedWord(std::string_view text);

// The shortest text with at most 15 significant digits: no trailing zeros or point, "0." for
// magnitudes below 1, exponent form ("1E-05", "1.5E+15") below 1e-4 or from 1e15 up after
// rounding to 15 digits; a negative zero is written "0". Values that are not finite, which no
// run writes, get texts of their own: "Infinity", "-Infinity" and "NaN" (whatever its sign).
std::string FormatReal(double value);

// value rounded to four decimals: times 10000, nearest whole number (halves to even), / 10000.
double Round4(double value);

// Nearest whole number, halves to even.
double RoundHalfEven(double value);

}  // namespace toothwright
