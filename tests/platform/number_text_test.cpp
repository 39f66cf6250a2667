#include "platform/number_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>

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

TEST(FormatSixDecimals, PrintsLikePercentF) {
  EXPECT_EQ(formatSixDecimals(19.5), "19.500000");
  EXPECT_EQ(formatSixDecimals(-33.9), "-33.900000");
  EXPECT_EQ(formatSixDecimals(0.0), "0.000000");
  EXPECT_EQ(formatSixDecimals(1.0000004), "1.000000");
  EXPECT_EQ(formatSixDecimals(1e20), "100000000000000000000.000000");
}

}  // namespace
}  // namespace celvaro
