// Label texts in the forms the printed-map files need: runs of bytes of
// the files' text font and of the Symbol font, the literal strings of both
// page languages and XML character data.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace celvaro {

// The glyphs of the bytes 0x80..0x9F of the text font's encoding, as a
// PDF /Differences list or PostScript array body: the Hungarian and
// Romanian letters, a few more Central European ones and the typographic
// dashes and quotes of the languages. The bytes below are ASCII with the
// apostrophe and hyphen as themselves, those above Latin-1, so that the
// PDF takes /WinAnsiEncoding and the EPS ISOLatin1Encoding as the base.
extern const std::string_view kTextFontDifferences;

enum class TextFont { kText, kSymbol };

struct TextRun {
  TextFont font;
  std::string bytes;
};

// The text as runs of one byte per character: the Greek letters in the
// Symbol font, the rest in the text font. A letter neither has becomes the
// nearest one the text font has (the old Romanian cedilla letters the
// comma-below ones, other accented Latin letters the bare letter),
// anything else "?".
std::vector<TextRun> encodeRuns(std::u16string_view text);

// Appends "(...)" with parentheses and backslashes escaped and the bytes
// outside printable ASCII as octal escapes: a literal string of PDF and of
// PostScript alike.
void appendLiteralString(std::string& out, std::string_view bytes);

// Appends the text as UTF-8 character data with &, <, > and " escaped and
// the control characters XML does not allow left out.
void appendXmlText(std::string& out, std::u16string_view text);

}  // namespace celvaro
