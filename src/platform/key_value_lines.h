// The line rules shared by the program's key=value text files (the
// configuration file, setting files and the field-of-view scheme file).
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
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

// Reads a key=value file as text: each line that is not skipped and begins
// with one of the keys goes to `onKey` with the key's index and the line's
// value. False when the file cannot be opened.
using KeyLineHandler = std::function<void(int key, std::optional<std::string_view> value)>;
bool readKeyLines(const std::string& path, std::span<const std::string_view> keys, const KeyLineHandler& onKey);

// Appends "key=value\r\n".
void appendKeyLine(std::string& out, std::string_view key, int value);

}  // namespace celvaro
