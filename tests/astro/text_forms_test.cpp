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
}

TEST(ReadHundredths, DecimalPointCommaAndSign) {
  EXPECT_EQ(readHundredths("6,5"), 650);
  EXPECT_EQ(readHundredths("-1.25"), -125);
  EXPECT_EQ(readHundredths("+1.25"), 0);
  EXPECT_EQ(readHundredths("11.50"), 1150);
  EXPECT_EQ(readHundredths("11.509"), 1150);
  EXPECT_EQ(readHundredths("7"), 700);
  EXPECT_EQ(readHundredths("7x3"), 700);
  EXPECT_EQ(readHundredths(""), 0);
  EXPECT_EQ(readHundredths("99999999999999999999"), INT_MAX);
}

TEST(ReadFixed, FillsMissingDecimals) {
  EXPECT_EQ(readFixed("1.5", 3), 1500);
  EXPECT_EQ(readFixed("-0,0125", 4), -125);
  EXPECT_EQ(readFixed("2", 1), 20);
  EXPECT_EQ(readFixed("3.14159", 2), 314);
}

TEST(ReadAngles, SignedFields) {
  EXPECT_EQ(readDegreesMinutes("47:30"), 2850);
  EXPECT_EQ(readDegreesMinutes("-0:45"), -45);
  EXPECT_EQ(readDegreesMinutes("+12"), 720);
  EXPECT_EQ(readDegreesMinutes("junk"), 0);
  EXPECT_EQ(readRightAscension("18:36:56"), 900 * 18 + 15 * 36 + 14);
  EXPECT_EQ(readRightAscension("-1:0:0"), -900);
  EXPECT_NEAR(readRightAscensionRad("18:36:56"), hms(18, 36, 56), 1e-12);
  EXPECT_NEAR(readDeclination("-16:42:58"), -dms(16, 42, 0), 1e-12);
  EXPECT_NEAR(readDeclination("+38:47"), dms(38, 47, 0), 1e-12);
  EXPECT_DOUBLE_EQ(readDouble("2451545.5xyz"), 2451545.5);
}

TEST(ReadDates, DigitGroups) {
  EXPECT_EQ(readDateTime("2007.06.15", std::string_view("22:05")), (ChartDate{2007, 6, 15, 22, 5, 0.0}));
  EXPECT_EQ(readDateTime("2007-6-15", std::nullopt), (ChartDate{2007, 6, 15, 12, 0, 0.0}));
  EXPECT_EQ(readDateTime("2007", std::string_view("")), (ChartDate{2007, 0, 0, 0, 0, 0.0}));
  EXPECT_EQ(readDateTimeCompact("2007.06.15/22:05"), (ChartDate{2007, 6, 15, 22, 5, 0.0}));
  // Only the first 48 characters of a dialog text count.
  EXPECT_EQ(readDateTimeCompact(std::string(46, ' ') + "12 3"), (ChartDate{12, 0, 0, 0, 0, 0.0}));
}

}  // namespace
}  // namespace celvaro
