// Fixed-column fields of the Minor Planet Center's one-line element files.
// No read ever passes the end of a short line: text fields are clipped to
// it, and a number field that the line does not reach to its last column
// reads as blank (numbers stand right-justified, so a cut one is wrong).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace celvaro {

// Columns first..last (counted from 0, both included), clipped to the line.
std::string_view columnText(std::string_view line, size_t first, size_t last);

// The field as a decimal number: blanks around it allowed, nothing else.
// None for a blank, cut, malformed or non-finite field.
std::optional<double> columnNumber(std::string_view line, size_t first, size_t last);
std::optional<int> columnInteger(std::string_view line, size_t first, size_t last);

// A column that holds something other than a blank.
bool columnFilled(std::string_view line, size_t column);

// The name field from column `first` on: from its first non-blank
// character, at most 40 characters, ending before two blanks in a row or a
// control character.
std::string columnName(std::string_view line, size_t first);

}  // namespace celvaro
