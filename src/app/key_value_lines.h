// The line rules shared by the program's key=value text files (the
// configuration file, setting files and the field-of-view scheme file).
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace celvaro {

// A line is skipped when it holds at most one character (its line end
// included) or when it begins with "#".
bool isSettingLine(std::string_view line);

// The value: what follows the first "=" after the blanks behind it; a line
// without "=" has none.
std::optional<std::string_view> lineValue(std::string_view line);

// Index of the first key, in table order, that the line begins with
// (case-sensitive prefix match), or -1.
int matchKey(std::string_view line, std::span<const std::string_view> keys);

}  // namespace celvaro
