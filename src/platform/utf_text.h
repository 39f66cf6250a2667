// Conversions between the UTF-8 the program works in and the UTF-16 of its
// language and catalog files. Malformed input becomes U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace celvaro {

std::u16string utf8ToUtf16(std::string_view text);
std::string utf16ToUtf8(std::u16string_view text);

}  // namespace celvaro
