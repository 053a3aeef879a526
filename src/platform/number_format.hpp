// The game's number format: number to text, text to number, and the small
// numeric helpers the game logic uses (integer part, absolute value, sign).
#pragma once

#include <string>
#include <string_view>

namespace kerna::platform {

// Up to 15 significant digits, "-" for negatives and no leading blank; trailing
// zeros after the point and a bare trailing point are dropped, magnitudes below 1
// keep their leading 0 ("0.5"). A decimal exponent above 15 or below -3 gives
// one digit, ".", 14 digits, "e", the exponent's sign and three digits:
// 1e16 -> "1.00000000000000e+016", 0.0001 -> "1.00000000000000e-004".
std::string FormatNumber(double value);

// Skips leading blanks and tabs; "&H"/"&O" (either case) read hexadecimal or
// octal digits; otherwise a decimal number with optional sign, point and
// exponent. Reading stops at the first character that does not fit; no number
// reads as 0. " 12abc" -> 12, "&H1F" -> 31, "-3.5x" -> -3.5.
double ParseNumber(std::string_view text);

// Integer part, rounding toward minus infinity: -2.5 -> -3.
double IntegerPart(double value);
double Absolute(double value);
// -1, 0 or 1.
int Sign(double value);

}  // namespace kerna::platform
