// The editable source of a language file: UTF-8 text, one "id = text" per
// line, "#" comment lines, blank lines, and "\n" (line break) and "\\"
// (backslash) escapes inside a text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/language_table.h"

namespace celvaro {

struct LanguageSource {
  std::vector<LanguageEntry> entries;  // in the order of the source
  std::vector<std::string> errors;     // "line N: what is wrong"
};

LanguageSource parseLanguageSource(std::string_view text);

}  // namespace celvaro
