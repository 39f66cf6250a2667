// How angles, times and fixed-point numbers are shown in dialogs; what a
// user types back is read by the dialogs' whole-number readers.
#pragma once

#include <string>

namespace celvaro {

std::string showHundredths(int hundredths);            // -5 -> "-0.05", 1150 -> "11.50"
std::string showFixed(int value, int decimals);        // 1..4 decimals, else ""
std::string showSixtieths(int sixtieths);              // 125 -> "2:5"
std::string showDouble(double value);                  // "%lf"
std::string showRightAscension(double raRad);          // "hh:mm:ss", 4 s steps, truncated
std::string showDeclination(double decRad);            // "d:m" or "-d:m"
std::string formatHours(double angleRad);              // "hh:mm:ss" of the angle in hours, rounded
std::string formatDegrees(double angleRad);            // "dd:mm:ss" or "-dd:mm:ss", rounded

}  // namespace celvaro
