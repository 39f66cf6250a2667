// The night's events against almanacs made elsewhere: the Moon over
// Budapest in January 2026 as an online almanac lists it (local time, the
// seconds dropped), and Venus at Boston as Meeus works it out (Astronomical
// Algorithms, example 15.a).
#include "aids/night_events.h"

#include <gtest/gtest.h>

#include <numbers>

#include "astro/chart_date.h"
#include "solarsystem/ephemeris.h"
#include "solarsystem/object_identifier.h"

namespace celvaro {
namespace {

constexpr ObservingPlace kBudapest{-1, 47.4979, 19.0402, 1.0, 0};
constexpr ObservingPlace kBoston{-1, 42 + 20 / 60.0, -(71 + 5 / 60.0), -5.0, 0};

// Minutes after the span's start; -1 for none.
double minutesInto(const EventSpan& span, double jd) { return jd == 0 ? -1 : (jd - span.fromJd) * 1440; }
double minutesOf(int hour, int minute, int second = 0) { return hour * 60 + minute + second / 60.0; }

struct AlmanacDay {
  int day;
  double rise, transit, set;  // local minutes after midnight
  double transitAltitudeDeg;
};

// The almanac drops the seconds: its minute holds the event, on average
// half a minute into it.
TEST(NightEvents, TheMoonOverBudapestInJanuary2026WithinTheAlmanacsMinute) {
  const AlmanacDay days[] = {
      {1, minutesOf(13, 31), minutesOf(22, 12), minutesOf(5, 42), 70.2},
      {2, minutesOf(14, 34), minutesOf(23, 19), minutesOf(6, 58), 70.1},
      {4, minutesOf(17, 15), minutesOf(0, 24), minutesOf(8, 41), 67.7},
      {11, minutesOf(0, 44), minutesOf(5, 55), minutesOf(10, 55), 27.8},
      {16, minutesOf(6, 10), minutesOf(9, 53), minutesOf(13, 37), 13.4},
      {21, minutesOf(8, 47), minutesOf(14, 2), minutesOf(19, 29), 30.9},
  };
  for (const AlmanacDay& d : days) {
    const double midnight = julianDayOf(ChartDate{2026, 1, d.day, 0, 0, 0}) - kBudapest.timeZoneHours / 24;
    const EventSpan span{midnight, midnight + 1};
    const BodyEvents moon = bodyEvents(solarSystemBody(kMoon, span.fromJd + 0.5), kBudapest, span);
    EXPECT_NEAR(minutesInto(span, moon.riseJd), d.rise + 0.5, 0.75) << "rise, January " << d.day;
    EXPECT_NEAR(minutesInto(span, moon.transitJd), d.transit + 0.5, 0.75) << "transit, January " << d.day;
    EXPECT_NEAR(minutesInto(span, moon.setJd), d.set + 0.5, 0.75) << "set, January " << d.day;
    EXPECT_NEAR(moon.transitAltitudeDeg, d.transitAltitudeDeg, 0.1) << "January " << d.day;
  }
}

// Meeus: rising 12h25m26s, transit 19h40m30s, setting 2h54m40s UT on
// 1988 March 20, Venus taken as a point.
TEST(NightEvents, VenusAtBostonAsMeeusFindsIt) {
  const EventSpan day{julianDayOf(ChartDate{1988, 3, 20, 0, 0, 0}), julianDayOf(ChartDate{1988, 3, 21, 0, 0, 0})};
  const BodyEvents venus = bodyEvents(solarSystemBody(kVenus, day.fromJd), kBoston, day);
  EXPECT_EQ(venus.visibility, BodyEvents::kRisesOrSets);
  EXPECT_NEAR(minutesInto(day, venus.riseJd), minutesOf(12, 25, 26), 0.5);
  EXPECT_NEAR(minutesInto(day, venus.transitJd), minutesOf(19, 40, 30), 0.5);
  EXPECT_NEAR(minutesInto(day, venus.setJd), minutesOf(2, 54, 40), 0.5);
}

// Sirius from Budapest at 20:00 UT on 2026-03-20 sets that night at
// 22:23:20 UT (astropy); the events of the UT day after the last noon gave
// the next night's 22:19:24.
TEST(NightEvents, AnEveningChartGivesThatNightsSet) {
  constexpr double kDeg = std::numbers::pi / 180;
  const double jd = julianDayOf(ChartDate{2026, 3, 20, 20, 0, 0});
  const BodyEvents sirius = bodyEvents(fixedObject(101.287155 * kDeg, -16.716116 * kDeg), kBudapest, nightOrDayOf(jd, kBudapest));
  EXPECT_NEAR(sirius.setJd, julianDayOf(ChartDate{2026, 3, 20, 22, 23, 20}), 6.0 / 86400);
}

}  // namespace
}  // namespace celvaro
