// Fixed-column fields of the Minor Planet Center's one-line element files.
// A field that lies wholly or partly past the end of a short line reads as
// blank as far as the line does not reach, so no read ever passes the line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace celvaro {

// Columns first..last (counted from 0, both included), clipped to the line.
std::string_view columnText(std::string_view line, size_t first, size_t last);

// The field as a decimal number: blanks around it allowed, nothing else.
// None for a blank, malformed or non-finite field.
std::optional<double> columnNumber(std::string_view line, size_t first, size_t last);
std::optional<int> columnInteger(std::string_view line, size_t first, size_t last);

// A column that holds something other than a blank.
bool columnFilled(std::string_view line, size_t column);

// The name field from column `first` on: from its first non-blank
// character, at most 40 characters, ending before two blanks in a row or a
// control character.
std::string columnName(std::string_view line, size_t first);

}  // namespace celvaro
