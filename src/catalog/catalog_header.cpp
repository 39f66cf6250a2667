#include "catalog/catalog_header.h"

#include <filesystem>

#include "platform/data_paths.h"
#include "platform/text_line_reader.h"

namespace celvaro {
namespace {

constexpr size_t kMaxValueChars = 1023;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The key and value of a key line; false for a line without "=".
bool splitKeyLine(const std::string& line, std::string& key, std::string& value) {
  const size_t equals = line.find('=');
  if (equals == std::string::npos) return false;
  size_t keyEnd = equals;
  while (keyEnd > 0 && isBlank(line[keyEnd - 1])) --keyEnd;
  key = line.substr(0, keyEnd);
  size_t start = equals + 1;
  while (start < line.size() && isBlank(line[start])) ++start;
  size_t end = start;
  while (end < line.size() && end - start < kMaxValueChars && static_cast<unsigned char>(line[end]) >= '!') ++end;
  value = line.substr(start, end - start);
  return true;
}

}  // namespace

bool readCatalogHeader(const std::string& path, std::map<std::string, std::string>& keys) {
  TextLineReader reader(path);
  if (!reader.isOpen()) return false;
  std::string line, key, value;
  while (reader.next(line)) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (line.size() <= 1 || line[0] == '#') continue;
    if (splitKeyLine(line, key, value)) keys[key] = value;
  }
  return true;
}

std::string catalogDirectory(const std::string& applicationDirectory, const std::string& named,
                             const std::string& defaultRelative) {
  std::error_code error;
  if (!named.empty()) {
    const std::string path = named[0] == '/' ? named : resolveDataPath(applicationDirectory, named);
    if (std::filesystem::is_directory(path, error)) return path;
  }
  const std::string fallback = resolveDataPath(applicationDirectory, defaultRelative);
  return std::filesystem::is_directory(fallback, error) ? fallback : "";
}

}  // namespace celvaro
