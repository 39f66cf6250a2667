#include "astro/zone_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "astro/sidereal_time.h"

namespace celvaro {
namespace {

constexpr double kRad = std::numbers::pi / 180.0;

ObservingPlace budapest(bool daylightSaving) {
  ObservingPlace place;
  place.latitudeDeg = 47.5;
  place.longitudeDeg = 19.04;
  place.timeZoneHours = 1.0;
  place.daylightSaving = daylightSaving ? 1 : 0;
  return place;
}

TEST(ZoneTime, OffsetInWholeSeconds) {
  ObservingPlace place;
  place.timeZoneHours = 5.5;
  place.daylightSaving = 0;
  EXPECT_EQ(zoneOffset(place), 19800);
  place.timeZoneHours = -3.5;
  place.daylightSaving = 1;
  EXPECT_EQ(zoneOffset(place), -12600 + 3600);
  place.timeZoneHours = 1.0 / 7200;  // half a second truncates to 0
  place.daylightSaving = 0;
  EXPECT_EQ(zoneOffset(place), 0);
  // A zone beyond any on Earth (from an old file, say) stays within the
  // world's zones instead of overflowing the count of seconds.
  for (double hours : {1e10, -1e10, std::nan("")}) {
    place.timeZoneHours = hours;
    EXPECT_GE(zoneOffset(place), -14 * 3600) << hours;
    EXPECT_LE(zoneOffset(place), 14 * 3600) << hours;
  }
}

TEST(ZoneTime, UniversalAndLocalDatesWithAndWithoutDaylightSaving) {
  const ChartDate ut{2007, 6, 15, 20, 0, 0.0};
  ChartDate withSaving = universalToLocal(ut, budapest(true));
  EXPECT_EQ(withSaving.hour, 22);
  EXPECT_EQ(withSaving.day, 15);
  ChartDate withoutSaving = universalToLocal(ut, budapest(false));
  EXPECT_EQ(withoutSaving.hour, 21);
  ChartDate back = localToUniversal(withSaving, budapest(true));
  EXPECT_EQ(back.year, 2007);
  EXPECT_EQ(back.month, 6);
  EXPECT_EQ(back.day, 15);
  EXPECT_EQ(back.hour, 20);
  EXPECT_EQ(back.minute, 0);
  EXPECT_NEAR(back.seconds, 0.0, 1e-3);
}

TEST(ZoneTime, OutOfRangeFieldsComeOutNormalised) {
  // 23:30 UT on the last day of the year is the next year locally.
  ChartDate local = universalToLocal({2007, 12, 31, 23, 30, 0.0}, budapest(false));
  EXPECT_EQ(local.year, 2008);
  EXPECT_EQ(local.month, 1);
  EXPECT_EQ(local.day, 1);
  EXPECT_EQ(local.hour, 0);
  EXPECT_EQ(local.minute, 30);
  // Hour 25 on 30 June is 1 July, 01:00 plus the zone.
  ChartDate rolled = universalToLocal({2007, 6, 30, 25, 0, 0.0}, budapest(false));
  EXPECT_EQ(rolled.month, 7);
  EXPECT_EQ(rolled.day, 1);
  EXPECT_EQ(rolled.hour, 2);
}

TEST(RiseTransitSet, StatusesAndTheTransitOnTheMeridian) {
  const ChartDate date{2007, 6, 15, 20, 0, 0.0};
  const ObservingPlace place = budapest(true);
  RiseTransitSet vega = riseTransitSet(279.2347 * kRad, 38.7837 * kRad, date, place);
  ASSERT_EQ(vega.status, 0);
  // At transit the local sidereal time equals the star's right ascension
  // (on whichever of the neighbouring days the transit falls).
  const ClockTime t = vega.universal[1];
  double best = 360;
  for (int day = 14; day <= 16; ++day) {
    ChartDate transit{2007, 6, day, t.hour, t.minute, double(t.second)};
    double lst = localSiderealTime(greenwichSiderealTime(julianDateOf(transit)), place.longitudeDeg);
    best = std::min(best, std::fabs(std::remainder(lst * 15 - 279.2347, 360.0)));
  }
  EXPECT_LT(best, 0.1);
  // Local times are the universal ones two hours on (zone +1, daylight saving).
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ((vega.local[i].hour - vega.universal[i].hour + 24) % 24, 2);
    EXPECT_EQ(vega.local[i].minute, vega.universal[i].minute);
  }
  EXPECT_EQ(riseTransitSet(37.95 * kRad, 89.26 * kRad, date, place).status, 1);  // Polaris
  EXPECT_EQ(riseTransitSet(0.0, -80 * kRad, date, place).status, -1);
}

TEST(ChartDateOfJulian, InvertsTheJulianDate) {
  ChartDate d = chartDateOfJulian(2451545.0);
  EXPECT_EQ(d.year, 2000);
  EXPECT_EQ(d.month, 1);
  EXPECT_EQ(d.day, 1);
  EXPECT_EQ(d.hour, 12);
}

}  // namespace
}  // namespace celvaro
