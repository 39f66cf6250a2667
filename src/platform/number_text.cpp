#include "platform/number_text.h"

#include <charconv>
#include <climits>
#include <cstdint>
#include <string>

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

std::string_view withoutBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isDecimalPoint(char c) { return c == '.' || c == ','; }

// Digits with at most one decimal point or comma among them: its value.
std::optional<double> unsignedDecimal(std::string_view text) {
  std::string digits(text);
  int points = 0, digitCount = 0;
  for (char& c : digits) {
    if (isDecimalPoint(c)) {
      c = '.';
      ++points;
    } else if (isDigit(c)) {
      ++digitCount;
    } else {
      return std::nullopt;
    }
  }
  if (points > 1 || digitCount == 0) return std::nullopt;
  double value = 0.0;
  const char* end = digits.data() + digits.size();
  const auto result = std::from_chars(digits.data(), end, value, std::chars_format::fixed);
  if (result.ec != std::errc() || result.ptr != end) return std::nullopt;
  return value;
}

std::optional<double> negatedIf(bool negative, std::optional<double> value) {
  if (value && negative) *value = -*value;
  return value;
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

std::optional<double> wholeNumber(std::string_view text) {
  text = withoutBlanks(text);
  const bool negative = takeSign(text);
  return negatedIf(negative, unsignedDecimal(text));
}

std::optional<int> wholeInt(std::string_view text) {
  text = withoutBlanks(text);
  const bool negative = takeSign(text);
  int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  if (text.empty() || !isDigit(text[0]) || result.ec != std::errc() || result.ptr != end) return std::nullopt;
  if (negative) value = -value;
  if (value < INT_MIN || value > INT_MAX) return std::nullopt;
  return static_cast<int>(value);
}

std::optional<double> wholeSexagesimal(std::string_view text) {
  text = withoutBlanks(text);
  const bool negative = takeSign(text);
  double value = 0.0, unit = 1.0;
  for (int field = 0; field < 3; ++field, unit /= 60) {
    const size_t colon = text.find(':');
    const std::string_view part = text.substr(0, colon);
    const std::optional<double> number = unsignedDecimal(part);
    const bool last = colon == std::string_view::npos;
    if (!number || (field > 0 && *number >= 60) || (!last && part.find_first_of(".,") != std::string_view::npos)) {
      return std::nullopt;
    }
    value += *number * unit;
    if (last) return negatedIf(negative, value);
    text.remove_prefix(colon + 1);
  }
  return std::nullopt;
}

std::string formatSixDecimals(double value) {
  char buffer[400];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
  return std::string(buffer, result.ptr);
}

}  // namespace celvaro
