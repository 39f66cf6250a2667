// How angles, times and fixed-point numbers are shown in dialogs and read
// back from them. Readers never fail: parts that do not parse count as 0.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "astro/chart_date.h"

namespace celvaro {

// Dialog texts are read as at most this many characters.
constexpr size_t kDialogTextMaxChars = 48;

std::string showHundredths(int hundredths);            // -5 -> "-0.05", 1150 -> "11.50"
std::string showFixed(int value, int decimals);        // 1..4 decimals, else ""
std::string showSixtieths(int sixtieths);              // 125 -> "2:5"
std::string showDouble(double value);                  // "%lf"
std::string showRightAscension(double raRad);          // "hh:mm:ss", 4 s steps, truncated
std::string showDeclination(double decRad);            // "d:m" or "-d:m"
std::string formatHours(double angleRad);              // "hh:mm:ss" of the angle in hours
std::string formatDegrees(double angleRad);            // "dd:mm:ss" or "-dd:mm:ss"

// Digits, "." or "," and up to two decimals; a "-" before the decimal point
// makes the value negative; any other character ends the number.
int readHundredths(std::string_view text);
// The same with up to `decimals` decimals, in units of 10^-decimals.
int readFixed(std::string_view text, int decimals);
// "d:m" with an optional leading sign, in arcminutes.
int readDegreesMinutes(std::string_view text);
double readDouble(std::string_view text);              // atof
// "h:m:s" with an optional leading sign: arcminutes 900 h + 15 m + s / 4.
int readRightAscension(std::string_view text);
// The same in radians: (15 h + m / 4 + s / 240) degrees.
double readRightAscensionRad(std::string_view text);
// "d:m" with an optional leading sign (a third field is ignored), radians.
double readDeclination(std::string_view text);
// Year, month and day from the first three digit groups of the date text,
// hour and minute from the first two of the time text (12:00 without one).
ChartDate readDateTime(std::string_view dateText, std::optional<std::string_view> timeText);
// Year, month, day, hour and minute from one text; non-digits separate.
ChartDate readDateTimeCompact(std::string_view text);

}  // namespace celvaro
