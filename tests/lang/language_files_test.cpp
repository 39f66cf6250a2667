// The shipped language files: every text the program asks for exists in all
// four, and what the compiler wrote reads back unchanged.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

#include "app/ui_resources.h"
#include "language_source.h"
#include "model/text_ids.h"
#include "platform/utf_text.h"

namespace celvaro {
namespace {

constexpr const char* kCodes[] = {"hu", "en", "de", "ro"};

LanguageSource sourceOf(const std::string& code) {
  std::ifstream in(std::string(CELVARO_LANG_SOURCE_DIR) + "/" + code + ".txt", std::ios::binary);
  return parseLanguageSource(std::string(std::istreambuf_iterator<char>(in), {}));
}

class LanguageFile : public ::testing::TestWithParam<int> {};

TEST_P(LanguageFile, HoldsEveryUsedTextAndReadsBackUnchanged) {
  const int language = GetParam();
  LanguageSource source = sourceOf(kCodes[language - 1]);
  ASSERT_TRUE(source.errors.empty()) << source.errors.front();
  UiResources resources;
  resources.setProgramDir(CELVARO_RUN_DIR);
  ASSERT_EQ(resources.loadLanguage(language), 1);
  ASSERT_EQ(resources.table().size(), source.entries.size());
  for (const LanguageEntry& entry : source.entries) {
    EXPECT_EQ(resources.table().text(entry.id), entry.text) << "id " << entry.id;
  }
  for (int id : text_id::usedTextIds()) EXPECT_TRUE(resources.text(id)) << kCodes[language - 1] << " lacks text " << id;
  // Gamepad function 14 switches the gamepad to the chart, as the panel's "Map mode" says.
  EXPECT_EQ(resources.text(text_id::kGamepadFunctionFirst + 14), resources.text(14713));
}

INSTANTIATE_TEST_SUITE_P(AllFour, LanguageFile, ::testing::Values(1, 2, 3, 4),
                         [](const auto& info) { return std::string(kCodes[info.param - 1]); });

TEST(LanguageFiles, TranslationsKeepTheirFormatArguments) {
  std::map<uint32_t, std::u16string> english;
  for (const auto& entry : sourceOf("en").entries) english[entry.id] = entry.text;
  auto count = [](const std::u16string& text, std::u16string_view what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::u16string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  };
  for (const char* code : {"hu", "de", "ro"}) {
    for (const auto& entry : sourceOf(code).entries) {
      ASSERT_TRUE(english.count(entry.id)) << code << " has an id English lacks: " << entry.id;
      EXPECT_EQ(count(entry.text, u"%d"), count(english[entry.id], u"%d")) << code << " " << entry.id;
      EXPECT_EQ(count(entry.text, u"%"), count(english[entry.id], u"%")) << code << " " << entry.id;
    }
  }
}

TEST(LanguageFiles, HungarianAndRomanianKeepTheirAccents) {
  auto all = [](const char* code) {
    std::u16string text;
    for (const auto& entry : sourceOf(code).entries) text += entry.text;
    return text;
  };
  const std::u16string hungarian = all("hu"), romanian = all("ro");
  for (char16_t letter : std::u16string(u"áéíóöőúüű")) EXPECT_NE(hungarian.find(letter), std::u16string::npos);
  for (char16_t letter : std::u16string(u"ăâîșț")) EXPECT_NE(romanian.find(letter), std::u16string::npos);
  EXPECT_EQ(romanian.find(u'ş'), std::u16string::npos);  // the cedilla forms are wrong
  EXPECT_EQ(romanian.find(u'ţ'), std::u16string::npos);
}

TEST(LanguageSource, ParsesEscapesAndReportsMistakes) {
  LanguageSource good = parseLanguageSource("# c\n\n6 = Hiba\r\n13=a\\nb \\\\ c  \n");
  ASSERT_TRUE(good.errors.empty());
  ASSERT_EQ(good.entries.size(), 2u);
  EXPECT_EQ(good.entries[1].text, u"a\nb \\ c");
  LanguageSource bad = parseLanguageSource("x = y\n5 nothing\n7 = \\t\n8 = a\n8 = b\n");
  EXPECT_EQ((std::tuple{bad.errors.size(), bad.errors[0].rfind("line 1:", 0)}), (std::tuple{4u, 0u}));
  EXPECT_EQ(bad.errors[3].rfind("line 5:", 0), 0u);
}

}  // namespace
}  // namespace celvaro
