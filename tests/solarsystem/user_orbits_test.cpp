// When the user's comet and asteroid count as outdated: their elements'
// date more than ten years (3652.5 days) from the chart's instant.
#include "solarsystem/user_orbits.h"

#include <gtest/gtest.h>

namespace celvaro {
namespace {

// The example elements date from the comet's perihelion 2006-08-28.6884
// (JD 2453976.1884) and the asteroid's epoch K069M, 2006-09-22
// (JD 2454000.5); the instants' Julian dates are PyEphem's julian_date.
TEST(UserOrbits, ElementsTenYearsFromTheChartAreOutdated) {
  const struct {
    const char* instant;
    double julianDate;
    bool cometOutdated, asteroidOutdated;
  } cases[] = {
      {"1996-08-27", 2450322.5, true, true},   {"1996-09-23", 2450349.5, false, false},
      {"2016-08-28", 2457628.5, false, false}, {"2016-08-29", 2457629.5, true, false},
      {"2016-09-21", 2457652.5, true, false},  {"2016-09-22", 2457653.5, true, true},
      {"2025-03-01 20:00", 2460736.3333, true, true},
  };
  const UserComet comet;
  const UserAsteroid asteroid;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.instant);
    EXPECT_EQ(outdatedAt(comet, c.julianDate), c.cometOutdated);
    EXPECT_EQ(outdatedAt(asteroid, c.julianDate), c.asteroidOutdated);
  }
  UserAsteroid unreadable;
  unreadable.epoch = "K06";
  EXPECT_FALSE(outdatedAt(unreadable, 2460736.3333));  // not placed at all
}

}  // namespace
}  // namespace celvaro
