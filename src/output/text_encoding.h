// Label texts in the forms the printed-map files need: the single-byte
// encodings of the standard PostScript and PDF fonts, the literal strings
// of both languages and XML character data.
#pragma once

#include <string>
#include <string_view>

namespace celvaro {

enum class ByteEncoding {
  kMacRoman,  // the PDF's text font, /MacRomanEncoding
  kLatin1,    // the EPS text font, re-encoded with ISOLatin1Encoding
};

// One byte per character. A letter the encoding lacks becomes the nearest
// one it has (o with double acute: o with diaeresis; other accented Latin
// letters: the bare letter), anything else "?".
std::string encodeText(std::u16string_view text, ByteEncoding encoding);

// Appends "(...)" with parentheses and backslashes escaped and the bytes
// outside printable ASCII as octal escapes: a literal string of PDF and of
// PostScript alike.
void appendLiteralString(std::string& out, std::string_view bytes);

// Appends the text as UTF-8 character data with &, <, > and " escaped and
// the control characters XML does not allow left out.
void appendXmlText(std::string& out, std::u16string_view text);

}  // namespace celvaro
