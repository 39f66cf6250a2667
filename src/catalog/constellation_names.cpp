// The file format is described in constellation_names.h.
#include "catalog/constellation_names.h"

#include <algorithm>

#include "astro/constellation_list.h"
#include "platform/text_line_reader.h"
#include "platform/utf_text.h"

namespace celvaro {
namespace {

std::vector<std::string> tabFields(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
    fields.push_back(line.substr(start, tab - start));
  }
  fields.push_back(line.substr(start));
  return fields;
}

// The line without its "\n"; false when it has none (the last line of a
// file cut short, or one cut at the reader's line limit).
bool withoutLineEnd(std::string& line) {
  if (line.empty() || line.back() != '\n') return false;
  line.pop_back();
  return true;
}

}  // namespace

bool ConstellationNames::isValidName(const std::string& text) {
  if (text.empty() || text.size() > kMaxNameBytes) return false;
  const std::u16string wide = utf8ToUtf16(text);
  return std::none_of(wide.begin(), wide.end(), [](char16_t c) { return c < 0x20 || c == 0x7F || c == 0xFFFD; });
}

int ConstellationNames::load(const std::string& path) {
  names_.clear();
  TextLineReader in(path);
  if (!in.isOpen()) return kCannotOpen;
  std::string line;
  if (!in.next(line) || !withoutLineEnd(line) || line != kHeader) return kDamaged;
  std::vector<std::array<std::string, kLanguages.size()>> names;
  for (int number = 0; number < kConstellationCount; ++number) {
    if (!in.next(line) || !withoutLineEnd(line)) return kDamaged;
    const std::vector<std::string> fields = tabFields(line);
    if (fields.size() != kLanguages.size() + 1 || fields[0] != shownConstellationName(number) ||
        !std::all_of(fields.begin(), fields.end(), isValidName)) {
      return kDamaged;
    }
    names.push_back({fields[1], fields[2], fields[3]});
  }
  if (in.next(line)) return kDamaged;
  names_ = std::move(names);
  return kLoaded;
}

std::string ConstellationNames::name(int number, int language) const {
  if (number < 0 || number >= kConstellationCount) return {};
  const auto column = std::find(kLanguages.begin(), kLanguages.end(), language);
  if (names_.empty() || column == kLanguages.end()) return shownConstellationName(number);
  return names_[number][column - kLanguages.begin()];
}

}  // namespace celvaro
