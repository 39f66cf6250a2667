// Texts compared with the case of their ASCII letters ignored: names,
// designations and words a user types or a catalogue writes. Other bytes,
// those of UTF-8 sequences among them, must match as they are.
#pragma once

#include <string_view>

namespace celvaro {

char lowerAscii(char c);
bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);
bool sameIgnoringCase(std::string_view a, std::string_view b);
// The text without the blanks, tabs and line ends around it.
std::string_view trimmed(std::string_view text);

}  // namespace celvaro
