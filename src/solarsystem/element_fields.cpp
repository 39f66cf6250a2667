#include "solarsystem/element_fields.h"

#include <charconv>
#include <cmath>

namespace celvaro {
namespace {

constexpr size_t kMaxNameChars = 40;

std::string_view trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

template <typename T>
std::optional<T> parsedWhole(std::string_view text) {
  text = trimmed(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  T value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::string_view columnText(std::string_view line, size_t first, size_t last) {
  if (first >= line.size() || last < first) return {};
  return line.substr(first, last - first + 1);
}

std::optional<double> columnNumber(std::string_view line, size_t first, size_t last) {
  if (last >= line.size()) return std::nullopt;
  const std::optional<double> value = parsedWhole<double>(columnText(line, first, last));
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return value;
}

std::optional<int> columnInteger(std::string_view line, size_t first, size_t last) {
  if (last >= line.size()) return std::nullopt;
  return parsedWhole<int>(columnText(line, first, last));
}

bool columnFilled(std::string_view line, size_t column) { return column < line.size() && line[column] != ' '; }

std::string columnName(std::string_view line, size_t first) {
  std::string_view rest = columnText(line, first, line.size());
  const size_t start = rest.find_first_not_of(' ');
  if (start == std::string_view::npos) return {};
  rest.remove_prefix(start);
  std::string name;
  for (size_t i = 0; i < rest.size() && name.size() < kMaxNameChars; ++i) {
    const unsigned char c = static_cast<unsigned char>(rest[i]);
    if (c < 0x20 || c == 0x7F || (c == ' ' && i + 1 < rest.size() && rest[i + 1] == ' ')) break;
    name += rest[i];
  }
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name;
}

}  // namespace celvaro
