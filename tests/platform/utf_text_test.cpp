#include "platform/utf_text.h"

#include <gtest/gtest.h>

namespace celvaro {
namespace {

TEST(UtfText, RoundTripsAccentsAndAstralCharacters) {
  const std::string text = "Válasszon nyelvet! Vă rog să alegeţi o limbă! ș ț ő ű ß 🔭";
  const std::u16string wide = utf8ToUtf16(text);
  EXPECT_EQ(wide.substr(0, 3), u"Vál");
  EXPECT_EQ(wide.back(), u'\xDD2D');  // low surrogate of U+1F52D
  EXPECT_EQ(utf16ToUtf8(wide), text);
}

TEST(UtfText, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(utf8ToUtf16("a\xFF" "b"), u"a\uFFFDb");
  EXPECT_EQ(utf8ToUtf16("\xC3"), u"\uFFFD");              // cut short
  EXPECT_EQ(utf8ToUtf16("\xC0\xAF"), u"\uFFFD");          // overlong "/"
  EXPECT_EQ(utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD");      // encoded surrogate
  EXPECT_EQ(utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
  EXPECT_EQ(utf16ToUtf8(u"x\xDC00y"), "x\xEF\xBF\xBDy");
}

}  // namespace
}  // namespace celvaro
