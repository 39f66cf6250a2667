// The night's events against almanacs made elsewhere, and the moon calendar.
//
// Most expected times come from PyEphem 4.1.4 (Debian's python3-ephem),
// a handful of them checked against astropy 5.2.1 (altitude roots of
// get_body in AltAz without refraction: within a second). PyEphem's
// settings: elevation 0, pressure 0 (no refraction of its own), horizon
// -0:34; the Sun and the Moon by their upper limb (use_center=False, the
// Moon's topocentric place, parallax included), the planets by their centre
// (use_center=True); twilight with horizon -6, -12 and -18 degrees and the
// Sun's centre. Times are of the place's zone clock (summer time only at
// kBudapestSummer), to the second. "--:--:--" marks an event that does not
// fall in the span. The moon calendar: the month's layout, the phase values
// by day and the shading of the Moon's picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "aids/moon_calendar.h"
#include "aids/moon_image.h"
#include "aids/night_events.h"
#include "astro/apparent_place.h"
#include "astro/chart_date.h"
#include "astro/zone_time.h"
#include "solarsystem/ephemeris.h"
#include "solarsystem/object_identifier.h"

namespace celvaro {
namespace {

const ObservingPlace kSingapore{-1, 1.3521, 103.8198, 8.0, 0, ""};
const ObservingPlace kBudapest{-1, 47.4979, 19.0402, 1.0, 0, ""};
const ObservingPlace kBudapestSummer{-1, 47.4979, 19.0402, 1.0, 1, ""};
const ObservingPlace kHelsinki{-1, 60.1699, 24.9384, 2.0, 0, ""};
const ObservingPlace kBoston{-1, 42 + 20 / 60.0, -(71 + 5 / 60.0), -5.0, 0, ""};

struct Day { int year, month, day; };
std::ostream& operator<<(std::ostream& out, const Day& d) { return out << d.year << "-" << d.month << "-" << d.day; }

// The Julian date of a local clock reading on a day at the place.
double localJd(const ObservingPlace& place, const Day& d, double hour) {
  return julianDayOf(ChartDate{d.year, d.month, d.day, 0, 0, 0}) + (hour - zoneOffset(place, 2451545.0) / 3600.0) / 24;
}

EventSpan localDay(const ObservingPlace& place, const Day& d) {
  const double midnight = localJd(place, d, 0);
  return {midnight, midnight + 1};
}

// Each expected clock time of `expected` against the instant found (0 for
// none), within `minutes`; the span starts at the local `startHour`.
void expectClockTimes(const std::string& expected, const std::vector<double>& found, const EventSpan& span,
                      int startHour, double minutes) {
  std::istringstream clocks(expected);
  for (double jd : found) {
    std::string clock;
    clocks >> clock;
    int h = 0, m = 0, s = 0;
    if (std::sscanf(clock.c_str(), "%d:%d:%d", &h, &m, &s) != 3) {
      EXPECT_EQ(jd, 0) << "none expected, found " << dateTimeText(jd, nullptr) << " UT";
      continue;
    }
    const double expectedMinutes = std::fmod(h * 60 + m + s / 60.0 - startHour * 60 + 1440, 1440);
    EXPECT_NEAR(jd == 0 ? -1 : (jd - span.fromJd) * 1440, expectedMinutes, minutes) << "expected " << clock;
  }
}

std::vector<double> riseTransitSet(const BodyEvents& e) { return {e.riseJd, e.transitJd, e.setJd}; }

struct PyEphemDay {
  const ObservingPlace& place;
  Day day;
  const char* sun;   // rise, transit, set
  const char* moon;
  const char* dusk;  // of the night after: civil, nautical, astronomical
  const char* dawn;  // astronomical, nautical, civil
  const char* dark;  // from, to
};

// Twelve days over three years at about 1, 47 and 60 degrees north, and the
// nights after them: the Sun barely setting in June at 60 degrees, the Moon
// there up less than three hours on 2024-01-10, without a rise, a transit or
// a set on some days. At 60 degrees the Sun stays above -18 degrees from May
// to August, and above -12 in June. The dark window is PyEphem's
// astronomical night less the Moon's time up (its rise and set as above),
// the longest stretch: it ends at a moonrise, starts at a moonset, lasts ten
// minutes on 2025-06-15 at Budapest and is none where the Moon is up all
// night.
const PyEphemDay kPyEphemDays[] = {
    {kSingapore, {2024, 1, 10}, "07:10:24 13:11:55 19:13:26", "05:42:17 11:54:18 18:06:24",
     "19:35:43 20:01:38 20:27:36", "05:56:40 06:22:38 06:48:32", "20:27:36 05:56:40"},
    {kSingapore, {2024, 3, 20}, "07:08:52 13:12:07 19:15:23", "15:49:02 22:02:53 03:28:52",
     "19:36:03 20:00:03 20:24:03", "05:59:52 06:23:52 06:47:52", "04:16:18 05:59:52"},
    {kSingapore, {2024, 5, 5}, "06:56:22 13:01:24 19:06:26", "04:13:57 10:25:29 16:37:23",
     "19:28:01 19:53:06 20:18:16", "05:44:23 06:09:34 06:34:40", "20:18:16 05:02:54"},
    {kSingapore, {2024, 6, 21}, "07:00:34 13:06:35 19:12:35", "18:35:55 --:--:-- 05:59:58",
     "19:35:10 20:01:27 20:27:53", "05:45:30 06:11:56 06:38:13", "--:--:-- --:--:--"},
    {kSingapore, {2024, 8, 12}, "07:04:55 13:09:45 19:14:33", "12:28:28 18:37:30 00:01:51",
     "19:35:57 20:00:49 20:25:44", "05:53:38 06:18:32 06:43:24", "00:46:31 05:53:38"},
    {kSingapore, {2024, 10, 3}, "06:50:48 12:53:40 18:56:31", "07:00:46 13:09:39 19:18:20",
     "19:17:15 19:41:19 20:05:22", "05:41:40 06:05:44 06:29:48", "20:05:22 05:41:40"},
    {kSingapore, {2024, 12, 22}, "07:01:57 13:03:22 19:04:47", "00:14:28 06:24:42 12:34:34",
     "19:27:18 19:53:30 20:19:46", "05:47:28 06:13:44 06:39:56", "20:19:46 00:54:30"},
    {kSingapore, {2025, 2, 3}, "07:16:36 13:18:30 19:20:25", "11:05:01 17:17:23 23:30:11",
     "19:41:57 20:06:58 20:32:01", "06:05:08 06:30:10 06:55:10", "23:30:11 06:05:08"},
    {kSingapore, {2025, 6, 15}, "06:59:13 13:05:13 19:11:12", "22:44:02 04:03:55 10:13:51",
     "19:33:46 20:00:01 20:26:26", "05:44:11 06:10:36 06:36:52", "20:26:26 22:44:02"},
    {kSingapore, {2025, 9, 22}, "06:54:12 12:57:28 19:00:42", "07:01:43 13:11:19 19:20:37",
     "19:21:23 19:45:23 20:09:23", "05:45:13 06:09:13 06:33:13", "20:09:23 05:45:13"},
    {kSingapore, {2025, 11, 7}, "06:46:29 12:48:24 18:50:17", "20:40:37 01:53:37 08:11:47",
     "19:11:50 19:36:52 20:01:55", "05:34:54 05:59:58 06:25:01", "20:01:55 20:40:37"},
    {kSingapore, {2026, 4, 18}, "06:59:45 13:04:06 19:08:28", "07:22:33 13:37:30 19:53:02",
     "19:29:32 19:54:01 20:18:32", "05:49:24 06:13:56 06:38:25", "20:18:32 05:49:24"},
    {kBudapest, {2024, 1, 10}, "07:29:55 11:51:08 16:12:38", "07:03:09 10:48:21 14:34:04",
     "16:47:45 17:26:22 18:03:25", "05:38:56 06:15:56 06:54:28", "18:03:25 05:38:56"},
    {kBudapest, {2024, 3, 20}, "05:46:11 11:51:10 17:57:00", "12:48:32 20:52:57 04:17:41",
     "18:27:43 19:03:53 19:41:11", "04:00:10 04:37:25 05:13:32", "--:--:-- --:--:--"},
    {kBudapest, {2024, 5, 5}, "04:20:18 11:40:30 19:01:34", "03:03:33 09:16:15 15:45:49",
     "19:36:41 20:21:17 21:13:42", "02:06:42 02:59:07 03:43:41", "21:13:42 02:06:42"},
    {kBudapest, {2024, 6, 21}, "03:46:39 11:45:45 19:44:50", "19:56:04 23:40:11 02:31:26",
     "20:25:28 21:21:34 22:50:57", "00:40:47 02:10:09 03:06:16", "--:--:-- --:--:--"},
    {kBudapest, {2024, 8, 12}, "04:36:22 11:48:49 19:00:23", "12:56:52 17:27:36 21:49:47",
     "19:34:27 20:17:05 21:05:42", "02:32:18 03:20:56 04:03:35", "21:49:47 02:32:18"},
    {kBudapest, {2024, 10, 3}, "05:46:00 11:32:43 17:18:37", "06:19:06 11:58:02 17:25:16",
     "17:49:13 18:24:46 19:00:50", "04:04:57 04:41:05 05:16:42", "19:00:50 04:04:57"},
    {kBudapest, {2024, 12, 22}, "07:29:22 11:42:36 15:55:51", "23:46:07 05:13:09 11:32:18",
     "16:31:49 17:11:05 17:48:34", "05:37:06 06:14:36 06:53:51", "17:48:34 23:46:07"},
    {kBudapest, {2025, 2, 3}, "07:07:19 11:57:39 16:48:34", "09:15:52 16:08:09 23:18:32",
     "17:21:17 17:58:00 18:33:55", "05:20:54 05:56:44 06:33:22", "23:18:32 05:20:54"},
    {kBudapest, {2025, 6, 15}, "03:46:01 11:44:23 19:42:54", "22:57:49 02:55:00 07:25:02",
     "20:23:25 21:19:18 22:47:20", "00:41:34 02:09:36 03:05:29", "22:47:20 22:57:49"},
    {kBudapest, {2025, 9, 22}, "05:30:42 11:36:30 17:41:26", "06:03:00 11:59:59 17:44:08",
     "18:12:04 18:48:06 19:25:14", "03:48:04 04:25:15 05:01:21", "19:25:14 03:48:04"},
    {kBudapest, {2025, 11, 7}, "06:36:49 11:27:32 16:17:39", "17:12:34 00:48:00 09:24:42",
     "16:50:22 17:27:04 18:02:57", "04:52:44 05:28:41 06:05:30", "--:--:-- --:--:--"},
    {kBudapest, {2026, 4, 18}, "04:50:00 11:43:10 18:37:16", "04:50:01 12:30:01 20:29:18",
     "19:09:58 19:50:04 20:34:06", "02:51:25 03:35:25 04:15:29", "20:34:06 02:51:25"},
    {kHelsinki, {2024, 1, 10}, "09:16:52 12:27:32 15:38:37", "10:00:27 11:23:43 12:47:33",
     "16:33:36 17:29:02 18:19:57", "06:34:59 07:25:46 08:21:00", "18:19:57 06:34:59"},
    {kHelsinki, {2024, 3, 20}, "06:20:49 12:27:34 18:35:44", "11:58:32 21:28:36 06:22:05",
     "19:17:40 20:08:11 21:03:25", "03:50:26 04:45:34 05:35:59", "--:--:-- --:--:--"},
    {kHelsinki, {2024, 5, 5}, "04:05:36 12:16:54 20:29:58", "03:39:33 09:51:51 16:31:25",
     "21:27:03 23:08:06 --:--:--", "--:--:-- 01:24:53 03:05:55", "--:--:-- --:--:--"},
    {kHelsinki, {2024, 6, 21}, "02:54:12 12:22:09 21:50:04", "22:55:45 --:--:-- 01:02:53",
     "23:42:20 --:--:-- --:--:--", "--:--:-- --:--:-- 01:02:12", "--:--:-- --:--:--"},
    {kHelsinki, {2024, 8, 12}, "04:27:17 12:25:14 20:21:26", "14:43:50 18:03:14 21:10:14",
     "21:14:14 22:35:03 --:--:--", "--:--:-- 02:16:02 03:36:54", "--:--:-- --:--:--"},
    {kHelsinki, {2024, 10, 3}, "06:31:29 12:09:08 17:45:30", "07:13:16 12:33:48 17:36:27",
     "18:27:03 19:15:38 20:06:23", "04:12:35 05:03:26 05:52:10", "20:06:23 04:12:35"},
    {kHelsinki, {2024, 12, 22}, "09:24:29 12:19:00 15:13:32", "--:--:-- 05:48:54 12:14:18",
     "16:11:53 17:09:10 18:01:01", "06:37:26 07:29:16 08:26:32", "18:01:01 00:23:18"},
    {kHelsinki, {2025, 2, 3}, "08:29:46 12:34:03 16:39:13", "09:28:30 16:43:45 --:--:--",
     "17:26:13 18:16:54 19:05:38", "06:01:39 06:50:12 07:40:38", "00:30:58 06:01:39"},
    {kHelsinki, {2025, 6, 15}, "02:54:32 12:20:47 21:47:27", "00:27:51 03:30:34 06:46:04",
     "23:36:41 --:--:-- --:--:--", "--:--:-- --:--:-- 01:05:00", "--:--:-- --:--:--"},
    {kHelsinki, {2025, 9, 22}, "06:04:43 12:12:55 18:19:43", "06:45:58 12:35:43 18:05:29",
     "19:01:28 19:51:40 20:46:19", "03:40:09 04:34:54 05:25:13", "20:46:19 03:40:09"},
    {kHelsinki, {2025, 11, 7}, "07:59:03 12:03:56 16:07:58", "15:43:02 01:23:20 12:02:52",
     "16:54:58 17:45:35 18:34:12", "05:34:39 06:23:26 07:14:18", "--:--:-- --:--:--"},
    {kHelsinki, {2026, 4, 18}, "04:54:42 12:19:35 19:46:08", "04:31:26 13:05:29 22:20:31",
     "20:34:00 21:39:29 23:27:06", "01:10:59 02:58:33 04:03:58", "23:27:06 01:10:59"},
};

TEST(NightEvents, SunAndMoonRiseTransitAndSetWithinAMinute) {
  for (const PyEphemDay& d : kPyEphemDays) {
    SCOPED_TRACE(::testing::Message() << d.place.latitudeDeg << " N " << d.day);
    const EventSpan span = localDay(d.place, d.day);
    const double middle = span.fromJd + 0.5;
    expectClockTimes(d.sun, riseTransitSet(bodyEvents(solarSystemBody(kSun, middle), d.place, span)), span, 0, 1);
    expectClockTimes(d.moon, riseTransitSet(bodyEvents(solarSystemBody(kMoon, middle), d.place, span)), span, 0, 1);
  }
}

struct PlanetDay {
  int body;
  Day day;
  const char* events;  // rise, transit, set
};

// Budapest; the planets as points.
const PlanetDay kPlanetDays[] = {
    {kVenus, {2024, 1, 10}, "04:51:51 09:17:52 13:43:30"},
    {kVenus, {2025, 3, 10}, "06:00:03 12:51:36 19:43:02"},
    {kVenus, {2026, 6, 1}, "06:10:46 14:14:19 22:17:21"},
    {kMars, {2024, 1, 10}, "06:37:20 10:45:03 14:52:48"},
    {kMars, {2025, 1, 16}, "15:46:34 23:52:19 08:03:32"},
    {kMars, {2026, 9, 1}, "00:05:21 08:01:13 15:56:53"},
    {kJupiter, {2024, 1, 10}, "11:42:27 18:40:16 01:41:52"},
    {kJupiter, {2024, 12, 7}, "15:48:03 23:35:39 07:27:47"},
    {kJupiter, {2026, 1, 10}, "16:00:27 23:48:48 07:41:37"},
};

TEST(NightEvents, PlanetsRiseTransitAndSetWithinHalfAMinute) {
  for (const PlanetDay& d : kPlanetDays) {
    SCOPED_TRACE(::testing::Message() << "body " << d.body << ", " << d.day);
    const EventSpan span = localDay(kBudapest, d.day);
    expectClockTimes(d.events, riseTransitSet(bodyEvents(solarSystemBody(d.body, span.fromJd + 0.5), kBudapest, span)),
                     span, 0, 0.5);
  }
}

struct ChartInstant {
  const ObservingPlace& place;
  Day day;
  std::vector<int> hours;  // local, on the day: 20 is its evening, 28 the next morning at 04:00
  int body;
  const char* events[3];  // rise, transit, set: local date and time, "-" for none
};

// An evening (20:00) and a morning (04:00) chart of one night show that
// night's events, each with its own date, the evening's also before sunset
// (June at 47 degrees with summer time, at 60 degrees); in the morning's
// daylight (04:00 in June at 60 degrees) the day's. Boston's evening falls
// on the next day in Universal Time.
const ChartInstant kChartInstants[] = {
    {kBudapest, {2024, 12, 21}, {20, 28}, kSun, {"2024-12-22 07:29:22", "2024-12-22 11:42:36", "2024-12-21 15:55:20"}},
    {kBudapest, {2024, 12, 21}, {20, 28}, kMoon, {"2024-12-21 22:40:11", "2024-12-22 05:13:09", "2024-12-22 11:32:18"}},
    {kBudapestSummer, {2024, 6, 20}, {20, 28}, kSun, {"2024-06-21 04:46:39", "2024-06-20 12:45:32", "2024-06-20 20:44:38"}},
    {kBudapestSummer, {2024, 6, 20}, {20, 28}, kMoon, {"2024-06-20 19:47:43", "2024-06-20 23:41:44", "2024-06-21 03:31:26"}},
    {kHelsinki, {2024, 6, 21}, {20}, kSun, {"2024-06-22 02:54:28", "2024-06-21 12:22:09", "2024-06-21 21:50:04"}},
    {kHelsinki, {2024, 6, 21}, {20}, kMoon, {"2024-06-21 22:55:45", "2024-06-22 00:15:36", "2024-06-22 01:34:27"}},
    {kHelsinki, {2024, 6, 21}, {28}, kSun, {"2024-06-22 02:54:28", "2024-06-22 12:22:22", "2024-06-22 21:50:09"}},
    {kHelsinki, {2024, 6, 21}, {28}, kMoon, {"2024-06-22 23:42:49", "2024-06-22 00:15:36", "2024-06-22 01:34:27"}},
    {kSingapore, {2025, 11, 7}, {20, 28}, kSun, {"2025-11-08 06:46:34", "2025-11-07 12:48:24", "2025-11-07 18:50:17"}},
    {kSingapore, {2025, 11, 7}, {20, 28}, kMoon, {"2025-11-07 20:40:37", "2025-11-08 02:59:22", "2025-11-08 09:18:14"}},
    {kBoston, {2025, 11, 7}, {20, 28}, kSun, {"2025-11-08 06:26:43", "2025-11-08 11:28:06", "2025-11-07 16:30:06"}},
    {kBoston, {2025, 11, 7}, {20, 28}, kMoon, {"2025-11-07 17:54:05", "2025-11-08 02:11:17", "2025-11-08 10:29:50"}},
};

TEST(NightEvents, EveningAndMorningChartsShowTheirNightsEventsWithTheirDates) {
  for (const ChartInstant& c : kChartInstants) {
    for (int hour : c.hours) {
      SCOPED_TRACE(::testing::Message() << c.day << " + " << hour << " h, body " << c.body);
      const double jd = localJd(c.place, c.day, hour);
      const BodyEvents events = bodyEvents(solarSystemBody(c.body, jd), c.place, nightOrDayOf(jd, c.place));
      const std::vector<double> found = riseTransitSet(events);
      for (int i = 0; i < 3; ++i) {
        Day d{};
        double h = 0, m = 0, s = 0;
        if (std::sscanf(c.events[i], "%d-%d-%d %lf:%lf:%lf", &d.year, &d.month, &d.day, &h, &m, &s) != 6) {
          EXPECT_EQ(found[i], 0) << "none expected, found " << dateTimeText(found[i], &c.place);
          continue;
        }
        EXPECT_NEAR((found[i] - localJd(c.place, d, h + m / 60 + s / 3600)) * 1440, 0, 1) << c.events[i];
        EXPECT_EQ(dateTimeText(found[i], &c.place).substr(0, 10), std::string(c.events[i], 10));
      }
    }
  }
}

TEST(NightEvents, TwilightAndTheDarkWindowWithinAMinute) {
  for (const PyEphemDay& n : kPyEphemDays) {
    SCOPED_TRACE(::testing::Message() << n.place.latitudeDeg << " N, night after " << n.day);
    const EventSpan night = nightOf(localJd(n.place, n.day, 20), n.place);
    ASSERT_NEAR(night.fromJd, localJd(n.place, n.day, 12), 1e-6);
    const Twilight t = twilightOf(night, n.place);
    expectClockTimes(n.dusk, {t.civilDusk, t.nauticalDusk, t.astronomicalDusk}, night, 12, 1);
    expectClockTimes(n.dawn, {t.astronomicalDawn, t.nauticalDawn, t.civilDawn}, night, 12, 1);
    expectClockTimes(n.dark, {t.darkFromJd, t.darkToJd}, night, 12, 1);
  }
}

struct AlmanacDay {
  int day;
  const char* moon;  // rise, transit, set, the seconds dropped
  double transitAltitudeDeg;
};

// The Moon over Budapest in January 2026 as an online almanac lists it.
// The almanac drops the seconds: its minute holds the event, on average
// half a minute into it.
TEST(NightEvents, TheMoonOverBudapestInJanuary2026WithinTheAlmanacsMinute) {
  const AlmanacDay days[] = {
      {1, "13:31:30 22:12:30 05:42:30", 70.2},  {2, "14:34:30 23:19:30 06:58:30", 70.1},
      {4, "17:15:30 00:24:30 08:41:30", 67.7},  {11, "00:44:30 05:55:30 10:55:30", 27.8},
      {16, "06:10:30 09:53:30 13:37:30", 13.4}, {21, "08:47:30 14:02:30 19:29:30", 30.9},
  };
  for (const AlmanacDay& d : days) {
    SCOPED_TRACE(::testing::Message() << "January " << d.day);
    const EventSpan span = localDay(kBudapest, {2026, 1, d.day});
    const BodyEvents moon = bodyEvents(solarSystemBody(kMoon, span.fromJd + 0.5), kBudapest, span);
    expectClockTimes(d.moon, riseTransitSet(moon), span, 0, 0.75);
    EXPECT_NEAR(moon.transitAltitudeDeg, d.transitAltitudeDeg, 0.1);
  }
}

// Meeus: rising 12h25m26s, transit 19h40m30s, setting 2h54m40s UT on
// 1988 March 20, Venus taken as a point (Astronomical Algorithms, example
// 15.a).
TEST(NightEvents, VenusAtBostonAsMeeusFindsIt) {
  const EventSpan day{julianDayOf(ChartDate{1988, 3, 20, 0, 0, 0}), julianDayOf(ChartDate{1988, 3, 21, 0, 0, 0})};
  const BodyEvents venus = bodyEvents(solarSystemBody(kVenus, day.fromJd), kBoston, day);
  EXPECT_EQ(venus.visibility, BodyEvents::kRisesOrSets);
  expectClockTimes("12:25:26 19:40:30 02:54:40", riseTransitSet(venus), day, 0, 0.5);
}

// Sirius from Budapest at 20:00 UT on 2026-03-20 sets that night at
// 22:23:20 UT (astropy); the events of the UT day after the last noon gave
// the next night's 22:19:24.
TEST(NightEvents, AnEveningChartGivesThatNightsSet) {
  constexpr double kDeg = std::numbers::pi / 180;
  const double jd = julianDayOf(ChartDate{2026, 3, 20, 20, 0, 0});
  const BodyEvents sirius = bodyEvents(fixedObject(101.287155 * kDeg, -16.716116 * kDeg, jd), kBudapest, nightOrDayOf(jd, kBudapest));
  EXPECT_NEAR(sirius.setJd, julianDayOf(ChartDate{2026, 3, 20, 22, 23, 20}), 6.0 / 86400);
}

constexpr int kThursday = 3;

// Counts the disc's pixels at their full level and at half of it.
struct LitCount { int lit = 0, dark = 0; };
LitCount count(const MoonImage& image, const MoonImage::Pixels& picture) {
  LitCount c;
  for (size_t i = 0; i < picture.size(); ++i) {
    if (image.mask()[i] < MoonImage::kDiscLevel) continue;
    (picture[i] == image.mask()[i] ? c.lit : c.dark)++;
  }
  return c;
}

class MoonPicture : public ::testing::Test {
 protected:
  void SetUp() override { image.build(); }
  MoonImage image;
};

// March 2007: full moon on the 3rd (the total lunar eclipse), new moon on
// the 19th, first quarter on the 25th; the 1st is a Thursday.
TEST(MoonMonth, PhaseValuesFollowTheMoonThroughMarch2007) {
  const MoonMonth month = moonMonth(2007, 3);
  ASSERT_EQ(month.dayCount, 31);
  EXPECT_EQ(month.firstWeekday, kThursday);
  const int full = month.phase[2], newMoon = month.phase[18], quarter = month.phase[24];
  EXPECT_TRUE(full < 10 || full > 350) << full;
  EXPECT_NEAR(newMoon, 180, 10);
  EXPECT_NEAR(quarter, 270, 12);  // waxing: 360 minus the angle
  EXPECT_GT(month.phase[0], 180);  // still waxing two days before full
  EXPECT_LT(month.phase[10], 180);  // waning after it
}

// Meeus' example 49.a: the new Moon of 1977 February at JDE 2443192.65118
// (18 February, 3h37m TD); and February 2026 as astropy 5.2.1 finds it
// (apparent geocentric longitudes of the true ecliptic of the date): full
// Moon 1 February 22:09:22 UT, new Moon 17 February 12:01:13 UT, which an
// online almanac gives for Budapest (CET) as 23:09 and 13:01.
TEST(MoonPhases, TheQuartersOfAMonthWhereAlmanacsPutThem) {
  const ObservingPlace kGreenwich{-1, 51.48, 0, 0, 0, ""};
  const std::vector<MoonPhaseInstant> february1977 = moonPhasesOf(1977, 2, kGreenwich);
  const auto newMoon1977 = std::find_if(february1977.begin(), february1977.end(),
                                        [](const MoonPhaseInstant& p) { return p.quarter == 0; });
  ASSERT_NE(newMoon1977, february1977.end());
  EXPECT_NEAR(dynamicalJulianDate(newMoon1977->julianDateUt), 2443192.65118, 1.0 / 1440);

  const ObservingPlace kBudapest{-1, 47.5, 19.04, 1.0, 0, ""};
  const std::vector<MoonPhaseInstant> february2026 = moonPhasesOf(2026, 2, kBudapest);
  ASSERT_EQ(february2026.size(), 4u);
  EXPECT_EQ(february2026[0].quarter, 2);  // full, then last quarter, new, first quarter
  EXPECT_EQ(february2026[2].quarter, 0);
  constexpr double kTwentySeconds = 20.0 / 86400;
  EXPECT_NEAR(february2026[0].julianDateUt, julianDayOf(ChartDate{2026, 2, 1, 22, 9, 22}), kTwentySeconds);
  EXPECT_NEAR(february2026[2].julianDateUt, julianDayOf(ChartDate{2026, 2, 17, 12, 1, 13}), kTwentySeconds);
}

// PyEphem 4.1.4's previous_new_moon, next_new_moon, next_first_quarter_moon,
// next_full_moon and next_last_quarter_moon of three instants (UT), each
// within a minute: a new Moon that morning, a full Moon two minutes ahead.
TEST(MoonPhases, TheLastNewMoonAndTheNextQuarters) {
  const struct { ChartDate at; ChartDate lastNew, next[4]; } cases[] = {
      {{2007, 6, 15, 20, 0, 0},
       {2007, 6, 15, 3, 13, 8},
       {{2007, 7, 14, 12, 3, 46}, {2007, 6, 22, 13, 15, 16}, {2007, 6, 30, 13, 48, 42}, {2007, 7, 7, 16, 53, 37}}},
      {{2021, 8, 22, 12, 0, 0},
       {2021, 8, 8, 13, 50, 6},
       {{2021, 9, 7, 0, 51, 44}, {2021, 9, 13, 20, 39, 20}, {2021, 8, 22, 12, 1, 56}, {2021, 8, 30, 7, 13, 12}}},
      {{2026, 2, 15, 6, 0, 0},
       {2026, 1, 18, 19, 51, 55},
       {{2026, 2, 17, 12, 1, 5}, {2026, 2, 24, 12, 27, 33}, {2026, 3, 3, 11, 37, 50}, {2026, 3, 11, 9, 38, 27}}},
  };
  constexpr double kMinute = 1.0 / 1440;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.at.year);
    const MoonAge age = moonAgeAt(julianDayOf(c.at));
    EXPECT_NEAR(age.lastNewMoonJd, julianDayOf(c.lastNew), kMinute);
    for (int q = 0; q < 4; ++q) EXPECT_NEAR(age.nextQuarterJd[q], julianDayOf(c.next[q]), kMinute) << q;
  }
}

// Full is all lit, new all dark, a day after new a thin crescent.
TEST_F(MoonPicture, FullNewAndADayAfterNew) {
  for (int full : {0, 360}) {
    const LitCount c = count(image, image.shaded(full));
    EXPECT_EQ(c.dark, 0) << full;
    EXPECT_GT(c.lit, 2500);
  }
  const LitCount dark = count(image, image.shaded(180)), crescent = count(image, image.shaded(181));
  EXPECT_EQ(dark.lit, 0);
  EXPECT_GT(dark.dark, 2500);
  EXPECT_GT(crescent.lit, 0);
  EXPECT_LT(crescent.lit, 120);
}

TEST_F(MoonPicture, TheFirstQuarterIsLitOnTheRightAndTheLastOnTheLeft) {
  const MoonImage::Pixels first = image.shaded(270), last = image.shaded(90);
  const int row = 30 * 60;
  EXPECT_EQ(first[row + 50], image.mask()[row + 50]);
  EXPECT_EQ(first[row + 10], image.mask()[row + 10] / 2);
  EXPECT_EQ(last[row + 10], image.mask()[row + 10]);
  EXPECT_EQ(last[row + 50], image.mask()[row + 50] / 2);
  const LitCount half = count(image, first);
  EXPECT_NEAR(half.lit, half.dark, 200);
}

}  // namespace
}  // namespace celvaro
