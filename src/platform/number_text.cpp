#include "platform/number_text.h"

#include <charconv>
#include <climits>
#include <cstdint>

namespace celvaro {
namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Skips leading blanks and an optional sign; true when the sign was "-".
bool takeSign(std::string_view& text) {
  size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  text.remove_prefix(i);
  if (text.empty() || (text[0] != '+' && text[0] != '-')) return false;
  bool negative = text[0] == '-';
  text.remove_prefix(1);
  return negative;
}

}  // namespace

int leadingInt(std::string_view text) {
  const bool negative = takeSign(text);
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    if (value <= int64_t{INT_MAX} + 1) value = value * 10 + (c - '0');
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

double leadingDouble(std::string_view text) {
  const bool negative = takeSign(text);
  // A second sign after the first is not a number for atof either.
  if (text.empty() || text[0] == '+' || text[0] == '-') return 0.0;
  double value = 0.0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec == std::errc::invalid_argument) return 0.0;
  return negative ? -value : value;
}

std::string formatSixDecimals(double value) {
  char buffer[400];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
  return std::string(buffer, result.ptr);
}

}  // namespace celvaro
