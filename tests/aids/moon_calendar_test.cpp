// The moon calendar: the month's layout, the phase values by day and the
// shading of the Moon's picture.
#include <gtest/gtest.h>

#include <algorithm>

#include "aids/moon_calendar.h"
#include "aids/moon_image.h"
#include "astro/apparent_place.h"
#include "astro/chart_date.h"
#include "solarsystem/ephemeris.h"

namespace celvaro {
namespace {

constexpr int kThursday = 3;

// Counts the disc's pixels at their full level and at half of it.
struct LitCount {
  int lit = 0, dark = 0;
};
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
  for (int day = 0; day < month.dayCount; ++day) {
    EXPECT_GE(month.phase[day], 0);
    EXPECT_LE(month.phase[day], 360);
  }
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
  const struct {
    ChartDate at;
    ChartDate lastNew, next[4];
  } cases[] = {
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

TEST(MoonShading, RunsFromNewThroughFullAndBack) {
  // cos 90° is a hair above 0, and the value is truncated: -49.
  for (const auto& [phase, shading] : {std::pair{360, 100}, {0, 0}, {180, -100}, {270, 50}, {90, -49}, {181, 1}}) {
    EXPECT_EQ(moonShading(phase), shading) << phase;
  }
}

TEST_F(MoonPicture, TheMaskIsADiscWithEdgesOnEveryRowItReaches) {
  int left, right;
  ASSERT_TRUE(image.rowEdges(30, left, right));
  EXPECT_EQ(left, 0);
  EXPECT_EQ(right, 58);
  EXPECT_LT(image.mask()[30 * 60 + 59], MoonImage::kDiscLevel);
  EXPECT_LT(image.mask()[30 * 60 + 0], MoonImage::kDiscLevel);
  EXPECT_GE(image.mask()[30 * 60 + 1], MoonImage::kDiscLevel);
  EXPECT_FALSE(image.rowEdges(-1, left, right));
  EXPECT_FALSE(image.rowEdges(60, left, right));
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
