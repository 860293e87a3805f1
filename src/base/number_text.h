#pragma once
// Every conversion between numbers and text in Veltrix Suite goes through here, so that
// table files, project files, reports and drawings agree to the byte.

#include <string>
#include <string_view>

namespace veltrix {

// The leading decimal number of a cell text: after blanks an optional sign, digits, a point,
// digits and an exponent (".5" and "5." included). Returns 0 when the text does not begin with
// a number, and 0 when the number is outside the range of the type.
float leadingFloat(std::string_view text);
double leadingDouble(std::string_view text);

// False when the text begins with a number beyond the range of a single (1e39): leadingFloat
// would read it as 0. True for every other text, a text without a number included.
bool leadingFloatInRange(std::string_view text);

// Table-file number: the shortest text that reads back to the same value, fixed notation,
// a leading zero before the point dropped (".5", "-.5"), never "-0".
std::string tableNumber(float value);
std::string tableNumber(double value);
std::string tableNumber(long long value);

// General number text: whole values in full; otherwise at most 7 significant digits for a
// single (15 for a double), correctly rounded, trailing zeros trimmed, leading zero kept.
std::string generalText(float value);
std::string generalText(double value);
std::string generalText(long long value);
inline std::string generalText(int value) { return generalText(static_cast<long long>(value)); }

// Fixed patterns: "0.00" is fixedText(v, 2, true); ".00" is fixedText(v, 2, false).
// The exact value rounded to that many decimals (ties to even, as printf rounds); no minus sign
// on a result that rounds to zero; with leadingZero false no integer digit below 1 (".50").
std::string fixedText(double value, int decimals, bool leadingZero);

// Print-number text: a blank (or the minus sign), the general text of the magnitude, a blank.
std::string printNumber(float value);
std::string printNumber(double value);

// Display rounding of a length: formatted with three decimals, cut to its first 7 characters and
// read back (1234.56789 becomes 1234.56).
float displayRound(float value);

// Round to the nearest whole number, halves to even.
double roundHalfEven(double value);

}  // namespace veltrix
