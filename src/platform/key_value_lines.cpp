#include "platform/key_value_lines.h"

#include "platform/text_line_reader.h"

namespace celvaro {

bool isSettingLine(std::string_view line) {
  return line.size() > 1 && line[0] != '#';
}

std::optional<std::string_view> lineValue(std::string_view line) {
  size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  size_t start = line.find_first_not_of(" \t", equals + 1);
  return start == std::string_view::npos ? line.substr(line.size()) : line.substr(start);
}

int matchKey(std::string_view line, std::span<const std::string_view> keys) {
  for (size_t i = 0; i < keys.size(); ++i) {
    if (line.starts_with(keys[i])) return static_cast<int>(i);
  }
  return -1;
}

bool readKeyLines(const std::string& path, std::span<const std::string_view> keys, const KeyLineHandler& onKey) {
  TextLineReader reader(path);
  if (!reader.isOpen()) return false;
  std::string line;
  while (reader.next(line)) {
    if (!isSettingLine(line)) continue;
    const int match = matchKey(line, keys);
    if (match >= 0) onKey(match, lineValue(line));
  }
  return true;
}

void appendKeyLine(std::string& out, std::string_view key, int value) {
  out.append(key).append("=").append(std::to_string(value)).append("\r\n");
}

}  // namespace celvaro
