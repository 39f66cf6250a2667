#include "output/text_encoding.h"

#include "platform/utf_text.h"

namespace celvaro {
namespace {

// The characters of the bytes 0x80..0x9F and their glyph names.
constexpr char16_t kDifferences[32] = {
    0x0150, 0x0151, 0x0170, 0x0171, 0x0102, 0x0103, 0x0218, 0x0219, 0x021A, 0x021B, 0x015E,
    0x015F, 0x010C, 0x010D, 0x0160, 0x0161, 0x017D, 0x017E, 0x0141, 0x0142, 0x011A, 0x011B,
    0x0158, 0x0159, 0x2013, 0x2014, 0x201C, 0x201D, 0x201E, 0x2018, 0x2019, 0x2022};

// The Symbol font's letters for U+0391..U+03C9; blank where it has none.
constexpr char kSymbolLetters[] = "ABGDEZHQIKLMNXOPR STUFCYW       abgdezhqiklmnxoprVstufcyw";

// The bare letters of U+0100..U+017F (Latin Extended-A); "?" for the ligatures.
constexpr char kLatinExtendedA[] =
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi??JjKkkLlLlLlL"
    "lLlNnNnNnnNnOoOoOo??RrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";

// The text font's byte of a character, or -1 when it lacks it.
int byteOf(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
  for (int i = 0; i < 32; ++i) {
    if (kDifferences[i] == c) return 0x80 + i;
  }
  return -1;
}

// The Symbol font's byte of a Greek letter or of an arrow (a star-hop
// route's steps, the pages beyond an atlas page's edges), or -1.
int symbolByteOf(char16_t c) {
  if (c >= 0x2190 && c <= 0x2193) return 0xAC + (c - 0x2190);  // left, up, right, down
  if (c < 0x391 || c > 0x3C9 || kSymbolLetters[c - 0x391] == ' ') return -1;
  return kSymbolLetters[c - 0x391];
}

// What stands for a letter the fonts lack.
char16_t nearestLetter(char16_t c) {
  if (c == 0x0162 || c == 0x0163) return static_cast<char16_t>(c - 0x0162 + 0x021A);  // T, t with cedilla
  if (c >= 0x100 && c < 0x180) return static_cast<char16_t>(kLatinExtendedA[c - 0x100]);
  if (c == 0x2032) return u'\'';  // prime
  return u'?';
}

bool allowedInXml(char16_t c) {
  return c >= 0x20 ? c != 0xFFFE && c != 0xFFFF : c == u'\t' || c == u'\n' || c == u'\r';
}

}  // namespace

const std::string_view kTextFontDifferences =
    "/Ohungarumlaut /ohungarumlaut /Uhungarumlaut /uhungarumlaut /Abreve /abreve /Scommaaccent /scommaaccent "
    "/uni021A /uni021B /Scedilla /scedilla /Ccaron /ccaron /Scaron /scaron /Zcaron /zcaron /Lslash "
    "/lslash /Ecaron /ecaron /Rcaron /rcaron /endash /emdash /quotedblleft /quotedblright /quotedblbase "
    "/quoteleft /quoteright /bullet";

std::vector<TextRun> encodeRuns(std::u16string_view text) {
  std::vector<TextRun> runs;
  for (char16_t c : text) {
    const int symbol = symbolByteOf(c);
    const TextFont font = symbol >= 0 ? TextFont::kSymbol : TextFont::kText;
    int b = symbol >= 0 ? symbol : byteOf(c);
    if (b < 0) b = byteOf(nearestLetter(c));
    if (runs.empty() || runs.back().font != font) runs.push_back({font, {}});
    runs.back().bytes += static_cast<char>(b < 0 ? '?' : b);
  }
  return runs;
}

void appendLiteralString(std::string& out, std::string_view bytes) {
  out += '(';
  for (const char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    if (b == '(' || b == ')' || b == '\\') {
      out += '\\';
      out += ch;
    } else if (b < 0x20 || b >= 0x7F) {
      const char octal[4] = {'\\', static_cast<char>('0' + (b >> 6)), static_cast<char>('0' + ((b >> 3) & 7)),
                             static_cast<char>('0' + (b & 7))};
      out.append(octal, 4);
    } else {
      out += ch;
    }
  }
  out += ')';
}

void appendXmlText(std::string& out, std::u16string_view text) {
  std::u16string allowed;
  for (char16_t c : text) {
    if (allowedInXml(c)) allowed += c;
  }
  for (const char ch : utf16ToUtf8(allowed)) {
    switch (ch) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += ch;
    }
  }
}

}  // namespace celvaro
