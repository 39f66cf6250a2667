// Numbers read from and written to text, UTF-8 and UTF-16, and the language
// of the messages the environment asks for.
#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>
#include <optional>

#include "platform/locale_language.h"
#include "platform/number_text.h"
#include "platform/utf_text.h"
#include "test_files.h"

namespace celvaro {
namespace {

// The C library's atoi and atof give the expected values.
TEST(LeadingNumbers, FollowAtoiAndAtofWhateverTheLocale) {
  const std::pair<const char*, int> ints[] = {
      {"42", 42}, {"  -17xyz", -17}, {"+8", 8}, {"6\r\n", 6}, {"", 0}, {"abc", 0}, {"- 5", 0}, {"12.9", 12},
      // Saturated instead of overflowing.
      {"2147483647", INT_MAX}, {"99999999999999999999999", INT_MAX},
      {"-2147483648", INT_MIN}, {"-99999999999999999999999", INT_MIN}};
  for (const auto& [text, value] : ints) EXPECT_EQ(leadingInt(text), value) << "'" << text << "'";
  // A locale with a decimal comma must not change how files are read.
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  const std::pair<const char*, double> doubles[] = {{"19.5", 19.5}, {" -33.9\n", -33.9}, {"+2.5e1x", 25.0}, {".5", 0.5},
                                                    {"abc", 0.0},   {"--1", 0.0},        {"", 0.0}};
  for (const auto& [text, value] : doubles) EXPECT_DOUBLE_EQ(leadingDouble(text), value) << "'" << text << "'";
  EXPECT_TRUE(std::isnan(leadingDouble("nan")));
  std::setlocale(LC_NUMERIC, "C");
}

// What users type, and whether it is one number: the decimal comma of
// Hungarian, German and Romanian as well as the point; a text with anything
// but the number (blanks aside) is none.
TEST(WholeNumber, TakesTheDecimalCommaOrPointAndNothingElse) {
  const std::pair<const char*, std::optional<double>> cases[] = {
      {"47,5", 47.5},     {"47.5", 47.5},  {" -33,9 ", -33.9}, {"+19.04", 19.04}, {"0", 0.0},
      {",5", 0.5},        {"12.", 12.0},   {"\t8\n", 8.0},     {"Budapest", {}},  {"47.5x", {}},
      {"47,5,1", {}},     {"47.5.1", {}},  {"1,000.5", {}},    {"", {}},          {"  ", {}},
      {"-", {}},          {".", {}},       {"- 5", {}},        {"--5", {}},       {"1e3", {}},
      {"nan", {}},        {"inf", {}},     {"0x10", {}},       {"4 7", {}},       {"47°", {}},
  };
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  for (const auto& [text, value] : cases) EXPECT_EQ(wholeNumber(text), value) << "'" << text << "'";
  std::setlocale(LC_NUMERIC, "C");
}

TEST(WholeInt, TakesDigitsOnlyWithinTheIntRange) {
  const std::pair<const char*, std::optional<int>> cases[] = {
      {"2024", 2024}, {" -4712 ", -4712}, {"+7", 7}, {"007", 7},  {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
      {"2147483648", {}}, {"12.0", {}}, {"12,5", {}}, {"30x", {}}, {"x30", {}}, {"", {}}, {"-", {}}, {"1 000", {}},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(wholeInt(text), value) << "'" << text << "'";
}

// Degrees, minutes and seconds (or hours): 12:30:36 is 12 + 30/60 + 36/3600.
TEST(WholeSexagesimal, ReadsUpToThreeFieldsWithTheSignOnTheFirst) {
  const std::pair<const char*, std::optional<double>> cases[] = {
      {"12:30:36", 12.51},  {"05:36:00", 5.6},   {"-5:30", -5.5},     {"-0:30", -0.5},     {"+89:59", 89 + 59 / 60.0},
      {"95:00", 95.0},      {"7", 7.0},          {"7,25", 7.25},      {"5:30,5", 5 + 30.5 / 60}, {" 1:00 ", 1.0},
      {"1:60", {}},         {"1:00:60", {}},     {"1:2:3:4", {}},     {"5,5:30", {}},      {"12:", {}},
      {":30", {}},          {"12:-30", {}},      {"12h30", {}},       {"", {}},            {"Vega", {}},
  };
  for (const auto& [text, expected] : cases) {
    const std::optional<double> value = wholeSexagesimal(text);
    ASSERT_EQ(value.has_value(), expected.has_value()) << "'" << text << "'";
    EXPECT_NEAR(value.value_or(0), expected.value_or(0), 1e-12) << "'" << text << "'";
  }
}

// printf's "%f" gives the expected texts.
TEST(FormatSixDecimals, PrintsLikePercentF) {
  const std::pair<double, const char*> cases[] = {{19.5, "19.500000"},       {-33.9, "-33.900000"},
                                                  {0.0, "0.000000"},         {1.0000004, "1.000000"},
                                                  {1e20, "100000000000000000000.000000"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(formatSixDecimals(value), text) << value;
}

TEST(UtfText, RoundTripsAccentsAndAstralCharacters) {
  const std::string text = "Válasszon nyelvet! Vă rog să alegeţi o limbă! ș ț ő ű ß 🔭";
  const std::u16string wide = utf8ToUtf16(text);
  EXPECT_EQ(wide.substr(0, 3), u"Vál");
  EXPECT_EQ(wide.back(), u'\xDD2D');  // low surrogate of U+1F52D
  EXPECT_EQ(utf16ToUtf8(wide), text);
}

TEST(UtfText, MalformedInputBecomesReplacementCharacters) {
  // a cut-short sequence, an overlong "/", an encoded surrogate
  const std::pair<const char*, std::u16string> toWide[] = {
      {"a\xFF" "b", u"a\uFFFDb"}, {"\xC3", u"\uFFFD"}, {"\xC0\xAF", u"\uFFFD"}, {"\xED\xA0\x80", u"\uFFFD"}};
  for (const auto& [narrow, wide] : toWide) EXPECT_EQ(utf8ToUtf16(narrow), wide) << narrow;
  EXPECT_EQ(utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
  EXPECT_EQ(utf16ToUtf8(u"x\xDC00y"), "x\xEF\xBF\xBDy");
}

// gettext's order: LC_ALL over LC_MESSAGES over LANG, an empty one skipped.
TEST(MessagesLanguage, FollowsTheVariablesInGettextsOrder) {
  struct Case { const char *lcAll, *lcMessages, *lang, *expected; };
  const Case cases[] = {
      {nullptr, nullptr, "de_AT.UTF-8", "de"},  {nullptr, nullptr, "hu_HU@euro", "hu"},
      {nullptr, "ro_RO.UTF-8", "en_GB.UTF-8", "ro"}, {"hu_HU.UTF-8", "de_DE.UTF-8", "en_US.UTF-8", "hu"},
      {"", "", "ro", "ro"},                      {nullptr, nullptr, "C.UTF-8", "C"},
      {nullptr, nullptr, "fr_FR.UTF-8", "fr"},   {nullptr, nullptr, nullptr, ""},
  };
  testing::EnvironmentValue lcAll("LC_ALL", nullptr), lcMessages("LC_MESSAGES", nullptr), lang("LANG", nullptr);
  for (const Case& c : cases) {
    lcAll.set(c.lcAll);
    lcMessages.set(c.lcMessages);
    lang.set(c.lang);
    EXPECT_EQ(messagesLanguage(), c.expected);
  }
}

}  // namespace
}  // namespace celvaro
