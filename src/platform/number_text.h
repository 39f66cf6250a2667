// Numbers read from and written to text: the program's files the way they
// have always been read (the C library's atoi, atof and "%f"), but
// independent of the process locale and safe against overflow; what a user
// types into a dialog only when the whole text is one number.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace celvaro {

// atoi rules: leading blanks skipped, optional sign, decimal digits; anything
// after them ignored; no digits gives 0. Values beyond the int range
// saturate instead of overflowing.
int leadingInt(std::string_view text);

// atof rules: leading blanks skipped, optional sign, a decimal number with
// optional fraction and exponent; no number gives 0. Always reads "." as the
// decimal point, whatever the locale.
double leadingDouble(std::string_view text);

// A typed number: the whole text, blanks around it allowed, is an optional
// sign and decimal digits with "." or "," as the decimal point (either way,
// as the user's country writes it). Anything else, an exponent or "nan"
// among it, is no number.
std::optional<double> wholeNumber(std::string_view text);

// A typed whole number: the same without a decimal point, within the int
// range.
std::optional<int> wholeInt(std::string_view text);

// A typed angle or time in sexagesimal form, "d:m:s", "d:m" or "d", in units
// of its first field: an optional sign before the first field, minutes and
// seconds below 60, and a decimal fraction in the last field only
// ("-5:30" is -5.5, "12:30:36" 12.51, "5:30,5" 5.508333...).
std::optional<double> wholeSexagesimal(std::string_view text);

// "%f": fixed notation with six decimals, "." as the decimal point.
std::string formatSixDecimals(double value);

}  // namespace celvaro
