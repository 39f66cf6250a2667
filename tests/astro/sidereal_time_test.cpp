#include "astro/sidereal_time.h"

#include <gtest/gtest.h>
#include <libnova/sidereal_time.h>

#include <random>

namespace celvaro {
namespace {

// At J2000.0, and Meeus's example 12.b: 1987-04-10 19:21:00 UT is 8h 34m 57.0896s
// (IAU 1982; the IAU 2006 expression agrees within 5 ms).
TEST(GreenwichSiderealTime, AtTheStandardEpochAndMeeusExample12b) {
  constexpr double kFiveMilliseconds = 5e-3 / 3600;
  EXPECT_NEAR(greenwichSiderealTime(2451545.0), 18.697374558, kFiveMilliseconds);
  EXPECT_NEAR(greenwichSiderealTime(2446896.30625), 8 + 34 / 60.0 + 57.0896 / 3600, kFiveMilliseconds);
}

TEST(GreenwichSiderealTime, StaysInRangeAndMatchesLibnova) {
  std::mt19937 random(3);
  std::uniform_real_distribution<double> jd(2299160.5, 2524593.5);  // 1582 to 2200
  for (int i = 0; i < 2000; ++i) {
    double date = jd(random);
    double gst = greenwichSiderealTime(date);
    ASSERT_GE(gst, 0.0);
    ASSERT_LT(gst, 24.0);
    // libnova's is the IAU 1982 expression: the two part by less than a
    // tenth of a second over these six centuries.
    double reference = ln_get_mean_sidereal_time(date);
    double difference = std::remainder(gst - reference, 24.0);
    ASSERT_NEAR(difference, 0.0, 0.1 / 3600) << date;
  }
  // Far before the epoch the angle is negative before it is brought into range.
  double early = greenwichSiderealTime(0.0);
  EXPECT_GE(early, 0.0);
  EXPECT_LT(early, 24.0);
}

TEST(JulianDateOf, TruncatesTheSeconds) {
  // Seconds are truncated: 59.9 s counts as 59 s.
  ChartDate later{2000, 1, 1, 12, 0, 59.9};
  EXPECT_DOUBLE_EQ(julianDateOf(later), julianDateOf({2000, 1, 1, 12, 0, 59.0}));
}

}  // namespace
}  // namespace celvaro
