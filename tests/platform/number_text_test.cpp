#include "platform/number_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>
#include <optional>

namespace celvaro {
namespace {

TEST(LeadingInt, FollowsAtoiRules) {
  EXPECT_EQ(leadingInt("42"), 42);
  EXPECT_EQ(leadingInt("  -17xyz"), -17);
  EXPECT_EQ(leadingInt("+8"), 8);
  EXPECT_EQ(leadingInt("6\r\n"), 6);
  EXPECT_EQ(leadingInt(""), 0);
  EXPECT_EQ(leadingInt("abc"), 0);
  EXPECT_EQ(leadingInt("- 5"), 0);
  EXPECT_EQ(leadingInt("12.9"), 12);
  // Saturated instead of overflowing.
  EXPECT_EQ(leadingInt("2147483647"), INT_MAX);
  EXPECT_EQ(leadingInt("99999999999999999999999"), INT_MAX);
  EXPECT_EQ(leadingInt("-2147483648"), INT_MIN);
  EXPECT_EQ(leadingInt("-99999999999999999999999"), INT_MIN);
}

TEST(LeadingDouble, FollowsAtofRulesWhateverTheLocale) {
  // A locale with a decimal comma must not change how files are read.
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  EXPECT_DOUBLE_EQ(leadingDouble("19.5"), 19.5);
  EXPECT_DOUBLE_EQ(leadingDouble(" -33.9\n"), -33.9);
  EXPECT_DOUBLE_EQ(leadingDouble("+2.5e1x"), 25.0);
  EXPECT_DOUBLE_EQ(leadingDouble(".5"), 0.5);
  EXPECT_DOUBLE_EQ(leadingDouble("abc"), 0.0);
  EXPECT_DOUBLE_EQ(leadingDouble("--1"), 0.0);
  EXPECT_DOUBLE_EQ(leadingDouble(""), 0.0);
  EXPECT_TRUE(std::isnan(leadingDouble("nan")));
  std::setlocale(LC_NUMERIC, "C");
}

// What users type, and whether it is one number: the decimal comma of
// Hungarian, German and Romanian as well as the point; a text with anything
// but the number (blanks aside) is none.
TEST(WholeNumber, TakesTheDecimalCommaOrPointAndNothingElse) {
  struct Case {
    const char* text;
    std::optional<double> value;
  };
  const Case cases[] = {
      {"47,5", 47.5},     {"47.5", 47.5},  {" -33,9 ", -33.9}, {"+19.04", 19.04}, {"0", 0.0},
      {",5", 0.5},        {"12.", 12.0},   {"\t8\n", 8.0},     {"Budapest", {}},  {"47.5x", {}},
      {"47,5,1", {}},     {"47.5.1", {}},  {"1,000.5", {}},    {"", {}},          {"  ", {}},
      {"-", {}},          {".", {}},       {"- 5", {}},        {"--5", {}},       {"1e3", {}},
      {"nan", {}},        {"inf", {}},     {"0x10", {}},       {"4 7", {}},       {"47°", {}},
  };
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  for (const Case& c : cases) EXPECT_EQ(wholeNumber(c.text), c.value) << "'" << c.text << "'";
  std::setlocale(LC_NUMERIC, "C");
}

TEST(WholeInt, TakesDigitsOnlyWithinTheIntRange) {
  struct Case {
    const char* text;
    std::optional<int> value;
  };
  const Case cases[] = {
      {"2024", 2024}, {" -4712 ", -4712}, {"+7", 7}, {"007", 7},  {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
      {"2147483648", {}}, {"12.0", {}}, {"12,5", {}}, {"30x", {}}, {"x30", {}}, {"", {}}, {"-", {}}, {"1 000", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(wholeInt(c.text), c.value) << "'" << c.text << "'";
}

// Degrees, minutes and seconds (or hours): 12:30:36 is 12 + 30/60 + 36/3600.
TEST(WholeSexagesimal, ReadsUpToThreeFieldsWithTheSignOnTheFirst) {
  struct Case {
    const char* text;
    std::optional<double> value;
  };
  const Case cases[] = {
      {"12:30:36", 12.51},  {"05:36:00", 5.6},   {"-5:30", -5.5},     {"-0:30", -0.5},     {"+89:59", 89 + 59 / 60.0},
      {"95:00", 95.0},      {"7", 7.0},          {"7,25", 7.25},      {"5:30,5", 5 + 30.5 / 60}, {" 1:00 ", 1.0},
      {"1:60", {}},         {"1:00:60", {}},     {"1:2:3:4", {}},     {"5,5:30", {}},      {"12:", {}},
      {":30", {}},          {"12:-30", {}},      {"12h30", {}},       {"", {}},            {"Vega", {}},
  };
  for (const Case& c : cases) {
    const std::optional<double> value = wholeSexagesimal(c.text);
    ASSERT_EQ(value.has_value(), c.value.has_value()) << "'" << c.text << "'";
    if (value) {
      EXPECT_NEAR(*value, *c.value, 1e-12) << "'" << c.text << "'";
    }
  }
}

TEST(FormatSixDecimals, PrintsLikePercentF) {
  EXPECT_EQ(formatSixDecimals(19.5), "19.500000");
  EXPECT_EQ(formatSixDecimals(-33.9), "-33.900000");
  EXPECT_EQ(formatSixDecimals(0.0), "0.000000");
  EXPECT_EQ(formatSixDecimals(1.0000004), "1.000000");
  EXPECT_EQ(formatSixDecimals(1e20), "100000000000000000000.000000");
}

}  // namespace
}  // namespace celvaro
