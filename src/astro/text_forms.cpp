#include "astro/text_forms.h"

#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numbers>

#include "platform/number_text.h"

namespace celvaro {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kArcminPerRad = 10800.0 / kPi;

std::string_view dialogText(std::string_view text) {
  return text.substr(0, kDialogTextMaxChars);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Appends a digit to a running value, holding it below 10^12 so that no
// text, however long, overflows it.
int64_t appendDigit(int64_t value, char c) {
  return value < 100000000000 ? value * 10 + (c - '0') : value;
}

int clampToInt(int64_t value) {
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

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

// A sign followed by up to N integer fields separated by ":".
template <size_t N>
struct SignedFields {
  bool negative = false;
  std::array<int64_t, N> field{};
};

template <size_t N>
SignedFields<N> readSignedFields(std::string_view text) {
  text = dialogText(text);
  SignedFields<N> result;
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) result.negative = text[i++] == '-';
  for (size_t f = 0; f < N; ++f) {
    while (i < text.size() && isDigit(text[i])) result.field[f] = appendDigit(result.field[f], text[i++]);
    if (i >= text.size() || text[i] != ':') break;
    ++i;
  }
  return result;
}

// The first N maximal runs of digits; missing ones are 0.
template <size_t N>
std::array<int, N> digitGroups(std::string_view text) {
  std::array<int, N> groups{};
  size_t count = 0, i = 0;
  while (count < N && i < text.size()) {
    if (!isDigit(text[i])) {
      ++i;
      continue;
    }
    int64_t value = 0;
    while (i < text.size() && isDigit(text[i])) value = appendDigit(value, text[i++]);
    groups[count++] = clampToInt(value);
  }
  return groups;
}

std::string hoursMinutesSeconds(double units, const char* format) {
  int h = truncateToInt(units);
  double minutes = (units - h) * 60.0;
  int m = truncateToInt(minutes);
  int s = truncateToInt((minutes - m) * 60.0);
  if (s >= 60) {
    s -= 60;
    ++m;
  }
  if (m >= 60) {
    m -= 60;
    ++h;
  }
  return printed(format, h, m, s);
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
  return hoursMinutesSeconds(angleRad * 12.0 / kPi, "%02d:%02d:%02d");
}

std::string formatDegrees(double angleRad) {
  double degrees = angleRad * 180.0 / kPi;
  if (degrees < 0) return hoursMinutesSeconds(-degrees, "-%02d:%02d:%02d");
  return hoursMinutesSeconds(degrees, "%02d:%02d:%02d");
}

int readFixed(std::string_view text, int decimals) {
  if (decimals < 0) decimals = 0;
  if (decimals > 9) decimals = 9;
  int64_t whole = 0, fraction = 0;
  int fractionDigits = 0;
  bool negative = false, inFraction = false;
  for (char c : dialogText(text)) {
    if (isDigit(c) && !inFraction) {
      whole = appendDigit(whole, c);
    } else if (isDigit(c) && fractionDigits < decimals) {
      fraction = fraction * 10 + (c - '0');
      ++fractionDigits;
    } else if (c == '-' && !inFraction) {
      negative = true;
    } else if ((c == '.' || c == ',') && !inFraction) {
      inFraction = true;
    } else {
      break;
    }
  }
  for (int i = fractionDigits; i < decimals; ++i) fraction *= 10;
  int64_t scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  int64_t value = whole > INT64_MAX / scale - 1 ? INT64_MAX / 2 : whole * scale + fraction;
  return clampToInt(negative ? -value : value);
}

int readHundredths(std::string_view text) { return readFixed(text, 2); }

int readDegreesMinutes(std::string_view text) {
  auto f = readSignedFields<2>(text);
  int64_t arcmin = 60 * f.field[0] + f.field[1];
  return clampToInt(f.negative ? -arcmin : arcmin);
}

double readDouble(std::string_view text) { return leadingDouble(dialogText(text)); }

int readRightAscension(std::string_view text) {
  auto f = readSignedFields<3>(text);
  int64_t arcmin = 900 * f.field[0] + 15 * f.field[1] + f.field[2] / 4;
  return clampToInt(f.negative ? -arcmin : arcmin);
}

double readRightAscensionRad(std::string_view text) {
  auto f = readSignedFields<3>(text);
  double degrees = 15.0 * f.field[0] + f.field[1] / 4.0 + f.field[2] / 240.0;
  return (f.negative ? -degrees : degrees) * kPi / 180.0;
}

double readDeclination(std::string_view text) {
  auto f = readSignedFields<3>(text);
  double degrees = f.field[0] + f.field[1] / 60.0;
  return (f.negative ? -degrees : degrees) * kPi / 180.0;
}

ChartDate readDateTime(std::string_view dateText, std::optional<std::string_view> timeText) {
  auto date = digitGroups<3>(dialogText(dateText));
  std::array<int, 2> time{12, 0};
  if (timeText) time = digitGroups<2>(dialogText(*timeText));
  return {date[0], date[1], date[2], time[0], time[1], 0.0};
}

ChartDate readDateTimeCompact(std::string_view text) {
  auto g = digitGroups<5>(dialogText(text));
  return {g[0], g[1], g[2], g[3], g[4], 0.0};
}

}  // namespace celvaro
