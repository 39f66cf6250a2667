#include "app/language_table.h"

#include <gtest/gtest.h>

#include "platform/binary_file.h"
#include "test_files.h"

namespace celvaro {
namespace {

using testing::ScratchDir;
using testing::writeBytes;

std::string header(uint32_t second, uint32_t count, uint32_t units) {
  std::string bytes;
  appendU32(bytes, 0xDEADBEEF);  // not used
  appendU32(bytes, second);
  appendU32(bytes, count);
  appendU32(bytes, units);
  return bytes;
}

class LanguageTableTest : public ::testing::Test {
 protected:
  LanguageTable loaded(const std::string& bytes) {
    writeBytes(dir.file("lang.lng"), bytes);
    LanguageTable table;
    EXPECT_TRUE(table.load(dir.file("lang.lng")));
    return table;
  }
  ScratchDir dir;
};

TEST_F(LanguageTableTest, FindsTextsAndMissesTheOthers) {
  LanguageTable table = loaded(languageFileBytes({{20, u"twenty"}, {10, u"ten"}, {30, u"Hőmérséklet"}}));
  EXPECT_EQ(table.size(), 3u);
  EXPECT_EQ(table.text(10), u"ten");
  EXPECT_EQ(table.text(30), u"Hőmérséklet");
  EXPECT_FALSE(table.text(25));
  EXPECT_FALSE(table.text(31));
}

TEST_F(LanguageTableTest, TheLookupCacheRules) {
  LanguageTable table = loaded(languageFileBytes({{5, u"a"}, {6, u"b"}, {7, u"c"}, {9, u"d"}}));
  EXPECT_EQ(table.text(6), u"b");
  EXPECT_EQ(table.lastLookupComparisons(), 2u);
  EXPECT_EQ(table.text(7), u"c");  // one above the last found: no scan
  EXPECT_EQ(table.lastLookupComparisons(), 1u);
  EXPECT_EQ(table.text(9), u"d");  // two above: a scan from the start
  EXPECT_EQ(table.lastLookupComparisons(), 4u);
  EXPECT_FALSE(table.text(4));     // below the first id: one comparison
  EXPECT_EQ(table.lastLookupComparisons(), 1u);
  // A miss resets the cache to (0, 0): id 1 is not taken from entry 1.
  EXPECT_FALSE(table.text(1));
  EXPECT_EQ(table.text(6), u"b");
  EXPECT_EQ(table.lastLookupComparisons(), 2u);
}

TEST_F(LanguageTableTest, MalformedHeadersEmptyTheTable) {
  const std::string good = languageFileBytes({{1, u"x"}});
  const std::string body = good.substr(16);
  EXPECT_FALSE(loaded(header(0, 10001, 2) + body).isLoaded());
  EXPECT_FALSE(loaded(header(0, 0, 2) + body).isLoaded());
  EXPECT_FALSE(loaded(header(0, 1, 100001) + body).isLoaded());
  EXPECT_FALSE(loaded(header(0, 1, 0) + body).isLoaded());
  EXPECT_FALSE(loaded(header(1, 1, 2) + body).isLoaded());
  EXPECT_TRUE(loaded(header(0, 1, 2) + body).isLoaded());
  EXPECT_FALSE(loaded("").isLoaded());
  EXPECT_FALSE(loaded(good.substr(0, good.size() - 1)).isLoaded());  // a short text block
}

TEST_F(LanguageTableTest, AMissingFileKeepsThePreviousTexts) {
  LanguageTable table = loaded(languageFileBytes({{1, u"kept"}}));
  EXPECT_FALSE(table.load(dir.file("missing.lng")));
  EXPECT_EQ(table.text(1), u"kept");
  writeBytes(dir.file("bad.lng"), "garbage");
  EXPECT_TRUE(table.load(dir.file("bad.lng")));
  EXPECT_FALSE(table.text(1));
}

TEST_F(LanguageTableTest, EntriesPointingOutsideTheTextsHaveNoText) {
  // Entry 2 points past the text block; entry 3's string has no ending zero.
  std::string bytes = header(0, 3, 6);
  for (uint32_t v : {1u, 0u, 0u, 2u, 50u, 0u, 3u, 3u, 0u}) appendU32(bytes, v);
  for (char16_t unit : std::u16string(u"ok\0xyz", 6)) appendU16(bytes, unit);
  LanguageTable table = loaded(bytes);
  EXPECT_EQ(table.text(1), u"ok");
  EXPECT_FALSE(table.text(2));
  EXPECT_FALSE(table.text(3));
  EXPECT_EQ(table.text(1), u"ok");
}

}  // namespace
}  // namespace celvaro
