#include "astro/text_forms.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

#include "platform/number_text.h"

namespace celvaro {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kArcminPerRad = 10800.0 / kPi;

// Truncation toward zero into an int, safe for any double.
int truncateToInt(double value) {
  if (!(value > INT_MIN && value < INT_MAX)) return value > 0 ? INT_MAX : 0;
  return static_cast<int>(value);
}

template <typename... Args>
std::string printed(const char* format, Args... args) {
  char buffer[64];
  int n = std::snprintf(buffer, sizeof buffer, format, args...);
  return std::string(buffer, n < 0 ? 0 : std::min<size_t>(n, sizeof buffer - 1));
}

// Units, minutes and seconds of a non-negative value, rounded to the
// nearest second; a full turn of `turn` units (0 for none) comes back to 0.
std::string roundedSixtieths(double units, int turn, const char* format) {
  long long seconds = std::isfinite(units) && std::abs(units) < 1e9 ? std::llround(units * 3600) : 0;
  if (turn > 0) seconds %= static_cast<long long>(turn) * 3600;
  return printed(format, static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                 static_cast<int>(seconds % 60));
}

}  // namespace

std::string showFixed(int value, int decimals) {
  static constexpr int kScale[] = {1, 10, 100, 1000, 10000};
  static constexpr const char* kFormat[] = {"", "%s%lld.%01lld", "%s%lld.%02lld", "%s%lld.%03lld",
                                            "%s%lld.%04lld"};
  if (decimals < 1 || decimals > 4) return "";
  long long magnitude = std::llabs(static_cast<long long>(value));
  return printed(kFormat[decimals], value < 0 ? "-" : "", magnitude / kScale[decimals],
                 magnitude % kScale[decimals]);
}

std::string showHundredths(int hundredths) { return showFixed(hundredths, 2); }

std::string showSixtieths(int sixtieths) {
  return printed("%d:%d", sixtieths / 60, sixtieths % 60);
}

std::string showDouble(double value) { return formatSixDecimals(value); }

std::string showRightAscension(double raRad) {
  int m = truncateToInt(raRad * kArcminPerRad);
  return printed("%02d:%02d:%02d", m / 900, (m % 900) / 15, 4 * ((m % 900) % 15));
}

std::string showDeclination(double decRad) {
  int m = truncateToInt(decRad * kArcminPerRad);
  int a = std::abs(m);
  return printed(m < 0 ? "-%d:%d" : "%d:%d", a / 60, a % 60);
}

std::string formatHours(double angleRad) {
  const double hours = std::fmod(angleRad * 12.0 / kPi + 24.0, 24.0);
  return roundedSixtieths(hours, 24, "%02d:%02d:%02d");
}

std::string formatDegrees(double angleRad) {
  const double degrees = angleRad * 180.0 / kPi;
  if (std::llround(std::abs(degrees) * 3600) == 0) return "00:00:00";
  return roundedSixtieths(std::abs(degrees), 0, degrees < 0 ? "-%02d:%02d:%02d" : "%02d:%02d:%02d");
}

}  // namespace celvaro
