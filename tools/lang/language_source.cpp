#include "language_source.h"

#include <charconv>
#include <set>

#include "platform/utf_text.h"

namespace celvaro {
namespace {

std::string_view trim(std::string_view text) {
  size_t begin = text.find_first_not_of(" \t\r");
  if (begin == std::string_view::npos) return {};
  size_t end = text.find_last_not_of(" \t\r");
  return text.substr(begin, end - begin + 1);
}

// Resolves the escapes; false on an unknown one.
bool unescape(std::string_view text, std::string& out) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return false;
    if (text[i] == 'n') out += '\n';
    else if (text[i] == '\\') out += '\\';
    else return false;
  }
  return true;
}

}  // namespace

LanguageSource parseLanguageSource(std::string_view text) {
  LanguageSource source;
  std::set<uint32_t> seen;
  size_t lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    size_t end = text.find('\n');
    std::string_view line = trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.empty() || line[0] == '#') continue;
    auto fail = [&](const char* what) {
      source.errors.push_back("line " + std::to_string(lineNumber) + ": " + what);
    };
    size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      fail("expected \"id = text\"");
      continue;
    }
    std::string_view idText = trim(line.substr(0, equals));
    uint32_t id = 0;
    auto parsed = std::from_chars(idText.data(), idText.data() + idText.size(), id);
    if (idText.empty() || parsed.ec != std::errc() || parsed.ptr != idText.data() + idText.size()) {
      fail("the id is not a number");
      continue;
    }
    std::string utf8;
    if (!unescape(trim(line.substr(equals + 1)), utf8)) {
      fail("unknown escape (only \\n and \\\\ are known)");
      continue;
    }
    if (!seen.insert(id).second) {
      fail("the id appears twice");
      continue;
    }
    source.entries.push_back({id, utf8ToUtf16(utf8)});
  }
  return source;
}

}  // namespace celvaro
