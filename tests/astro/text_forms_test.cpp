#include "astro/text_forms.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <numbers>

namespace celvaro {
namespace {

constexpr double kPi = std::numbers::pi;

double hms(int h, int m, double s) { return (h + m / 60.0 + s / 3600.0) * kPi / 12.0; }
double dms(int d, int m, double s) { return (d + m / 60.0 + s / 3600.0) * kPi / 180.0; }

TEST(ShowNumbers, SignsDecimalsRangesAndSixtieths) {
  EXPECT_EQ(showHundredths(-5), "-0.05");
  EXPECT_EQ(showHundredths(1150), "11.50");
  EXPECT_EQ(showHundredths(0), "0.00");
  EXPECT_EQ(showHundredths(-1234), "-12.34");
  EXPECT_EQ(showHundredths(INT_MIN), "-21474836.48");
  EXPECT_EQ(showFixed(5, 1), "0.5");
  EXPECT_EQ(showFixed(-12345, 3), "-12.345");
  EXPECT_EQ(showFixed(7, 4), "0.0007");
  EXPECT_EQ(showFixed(7, 0), "");
  EXPECT_EQ(showFixed(7, 5), "");
  EXPECT_EQ(showSixtieths(125), "2:5");
  EXPECT_EQ(showSixtieths(-90), "-1:-30");  // no sign handling
  EXPECT_EQ(showDouble(2451545.25), "2451545.250000");
}

TEST(ShowAngles, RightAscensionInFourSecondSteps) {
  EXPECT_EQ(showRightAscension(hms(6, 0, 2)), "06:00:00");
  EXPECT_EQ(showRightAscension(hms(6, 0, 4.01)), "06:00:04");
  EXPECT_EQ(showRightAscension(hms(23, 59, 59)), "23:59:56");
  EXPECT_EQ(showRightAscension(0), "00:00:00");
}

TEST(ShowAngles, DeclinationDegreesAndMinutes) {
  EXPECT_EQ(showDeclination(dms(38, 47, 1)), "38:47");
  EXPECT_EQ(showDeclination(-dms(0, 30, 30)), "-0:30");
  EXPECT_EQ(showDeclination(-dms(16, 42, 58)), "-16:42");
}

TEST(FormatAngles, HoursAndDegreesWithSeconds) {
  EXPECT_EQ(formatHours(hms(18, 36, 56.3)), "18:36:56");
  EXPECT_EQ(formatHours(0), "00:00:00");
  EXPECT_EQ(formatDegrees(dms(38, 47, 1.3)), "38:47:01");
  EXPECT_EQ(formatDegrees(-dms(16, 42, 58)), "-16:42:58");
  EXPECT_EQ(formatDegrees(-dms(0, 0, 30)), "-00:00:30");
  // Rounded to the second, as almanacs give places: M 42 at 5h35m17.6s,
  // a place a breath short of 24h, and of -0.4".
  EXPECT_EQ(formatHours(hms(5, 35, 17.6)), "05:35:18");
  EXPECT_EQ(formatHours(hms(23, 59, 59.7)), "00:00:00");
  EXPECT_EQ(formatDegrees(-dms(5, 23, 27.6)), "-05:23:28");
  EXPECT_EQ(formatDegrees(-dms(0, 0, 0.4)), "00:00:00");
}

}  // namespace
}  // namespace celvaro
