// Numbers read from and written to text the way the program's files and
// dialogs have always done it (the C library's atoi, atof and "%f"), but
// independent of the process locale and safe against overflow.
#pragma once

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

// "%f": fixed notation with six decimals, "." as the decimal point.
std::string formatSixDecimals(double value);

}  // namespace celvaro
