#include "output/text_encoding.h"

#include "platform/utf_text.h"

namespace celvaro {
namespace {

// The characters of the bytes 0x80..0xFF of the PDF's MacRomanEncoding;
// 0 where it has none (the mathematical signs of the Macintosh set).
constexpr char16_t kMacRoman[128] = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, 0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5,
    0x00E7, 0x00E9, 0x00E8, 0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3, 0x00F2, 0x00F4,
    0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, 0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6,
    0x00DF, 0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0,      0x00C6, 0x00D8, 0,      0x00B1, 0,      0,
    0x00A5, 0x00B5, 0,      0,      0,      0,      0,      0x00AA, 0x00BA, 0,      0x00E6, 0x00F8, 0x00BF,
    0x00A1, 0x00AC, 0,      0x0192, 0,      0,      0x00AB, 0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5,
    0x0152, 0x0153, 0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0,      0x00FF, 0x0178, 0x2044,
    0x00A4, 0x2039, 0x203A, 0xFB01, 0xFB02, 0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1,
    0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4, 0,      0x00D2, 0x00DA, 0x00DB, 0x00D9,
    0x0131, 0x02C6, 0x02DC, 0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7};

// The bare letters of U+0100..U+017F (Latin Extended-A); "?" for the ligatures.
constexpr char kLatinExtendedA[] =
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi??JjKkkLlLlLlL"
    "lLlNnNnNnnNnOoOoOo??RrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";

// The byte of a character, or -1 when the encoding lacks it.
int byteOf(char16_t c, ByteEncoding encoding) {
  if (c < 0x80) return c;
  if (encoding == ByteEncoding::kLatin1) return c >= 0xA0 && c <= 0xFF ? c : -1;
  for (int i = 0; i < 128; ++i) {
    if (kMacRoman[i] == c) return 0x80 + i;
  }
  return -1;
}

// What stands for a letter an encoding lacks. Hungarian readers take the
// diaeresis for the double acute more readily than the bare letter.
char16_t nearestLetter(char16_t c) {
  switch (c) {
    case u'\u0150': return u'\u00D6';
    case u'\u0151': return u'\u00F6';
    case u'\u0170': return u'\u00DC';
    case u'\u0171': return u'\u00FC';
    default: break;
  }
  if (c >= 0x100 && c < 0x180) return static_cast<char16_t>(kLatinExtendedA[c - 0x100]);
  if (c >= 0x218 && c <= 0x21B) return u"SsTt"[c - 0x218];  // Romanian comma-below letters
  return u'?';
}

bool allowedInXml(char16_t c) {
  return c >= 0x20 ? c != 0xFFFE && c != 0xFFFF : c == u'\t' || c == u'\n' || c == u'\r';
}

}  // namespace

std::string encodeText(std::u16string_view text, ByteEncoding encoding) {
  std::string bytes;
  bytes.reserve(text.size());
  for (char16_t c : text) {
    int b = byteOf(c, encoding);
    if (b < 0) b = byteOf(nearestLetter(c), encoding);
    bytes += static_cast<char>(b < 0 ? '?' : b);
  }
  return bytes;
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
