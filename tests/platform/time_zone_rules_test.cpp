#include <string>

#include "platform/time_zone_rules.h"

#include <gtest/gtest.h>

#include "platform/binary_file.h"

namespace celvaro {
namespace {

// Offsets from Python's zoneinfo over Debian's time-zone database (tzdata
// 2025b): datetime.fromtimestamp(t, timezone.utc).astimezone(ZoneInfo(zone))
// .utcoffset(), and daylight saving where .dst() is positive. The instants
// are those of the changes and the second before; years after 2037 come
// from each file's closing rule.
struct ZoneCase { const char* zone; int64_t unixSeconds; int32_t offset; bool daylight; };
constexpr ZoneCase kZoneCases[] = {
    {"Europe/Budapest", 1796648820, 3600, false},  // 2026-12-07 13:07 UT
    {"Europe/Budapest", 1783429620, 7200, true},   // 2026-07-07 13:07 UT
    {"Europe/Budapest", 1774745999, 3600, false},  {"Europe/Budapest", 1774746000, 7200, true},
    {"Europe/Budapest", 1792889999, 7200, true},   {"Europe/Budapest", 1792890000, 3600, false},
    {"Europe/Budapest", 328708800, 7200, true},    // 1980, the first summers again
    {"Europe/Budapest", -618062400, 3600, false},  // 1950, no summer time
    {"America/New_York", 1772953199, -18000, false}, {"America/New_York", 1772953200, -14400, true},
    {"America/New_York", 2235621599, -14400, true},  {"America/New_York", 2235621600, -18000, false},
    {"Australia/Sydney", 1775318399, 39600, true},   {"Australia/Sydney", 1775318400, 36000, false},
    {"Australia/Sydney", 2863958399, 36000, false},  {"Australia/Sydney", 2863958400, 39600, true},
    {"America/Nuuk", 2847661199, -7200, false},      {"America/Nuuk", 2847661200, -3600, true},
    {"America/Nuuk", 2866409999, -3600, true},       {"America/Nuuk", 2866410000, -7200, false},
    {"America/St_Johns", 2846467799, -12600, false}, {"America/St_Johns", 2846467800, -9000, true},
    {"America/St_Johns", 2867027400, -12600, false},
    {"Pacific/Chatham", 2848226399, 49500, true},    {"Pacific/Chatham", 2848226400, 45900, false},
    {"Asia/Kolkata", 1780272000, 19800, false},
    {"Europe/London", 4118083200, 3600, true},      // 2100-07-01
    {"Etc/UTC", 1782864000, 0, false},
    // Ireland's winter is its summer time's negative: no saving either way.
    {"Europe/Dublin", 1768435200, 0, false},         {"Europe/Dublin", 1784073600, 3600, false},
    {"Africa/Casablanca", 1771588800, 0, false},     // Ramadan 2026, an hour back
};

TEST(TimeZoneRules, OffsetsAndSavingAsPythonsZoneinfoGivesThem) {
  for (const ZoneCase& c : kZoneCases) {
    SCOPED_TRACE(std::string(c.zone) + " " + std::to_string(c.unixSeconds));
    const TimeZoneRules* rules = TimeZoneRules::named(c.zone);
    ASSERT_NE(rules, nullptr);
    const ZoneState state = rules->at(c.unixSeconds);
    EXPECT_EQ(state.utcOffsetSeconds, c.offset);
    EXPECT_EQ(state.utcOffsetSeconds > state.standardOffsetSeconds, c.daylight);
  }
}

// Names outside the database are refused, as is every cut of a real zone
// file, without reading past it.
TEST(TimeZoneRules, NamesOutsideTheDatabaseAndCutFilesAreRefused) {
  for (const char* name : {"", "Europe/Nowhere", "../../etc/passwd", "/usr/share/zoneinfo/UTC", "Europe",
                           "Europe/Budapest\n", "zone.tab"}) {
    EXPECT_EQ(TimeZoneRules::named(name), nullptr) << name;
  }
  std::string bytes;
  ASSERT_TRUE(readWholeFile("/usr/share/zoneinfo/Europe/Budapest", bytes));
  TimeZoneRules rules;
  ASSERT_TRUE(rules.parse(bytes));
  for (size_t length = 0; length < bytes.size(); ++length) {
    EXPECT_FALSE(rules.parse(std::string_view(bytes).substr(0, length))) << length;
  }
  std::string badMagic = bytes;
  badMagic[0] = 'X';
  EXPECT_FALSE(rules.parse(badMagic));
}

// Closing rules of the database's files, and texts that are none.
TEST(PosixZoneRule, TakesTheRulesZoneFilesCloseWith) {
  constexpr std::pair<const char*, bool> kRules[] = {
      {"UTC0", true}, {"<+0530>-5:30", true}, {"CET-1CEST,M3.5.0,M10.5.0/3", true},
      {"IST-1GMT0,M10.5.0,M3.5.0/1", true}, {"<-02>2<-01>,M3.5.0/-1,M10.5.0/0", true}, {"EST5EDT,0/0,J365/25", true},
      {"<+0330>-3:30<+0430>,J79/24,J263/24", true}, {"", false}, {"CE", false}, {"CET", false}, {"CET-1CEST", false},
      {"CET-1CEST,M3.5.0", false}, {"CET-1CEST,M13.5.0,M10.5.0", false}, {"CET-1CEST,M3.6.0,M10.5.0", false},
      {"CET-1CEST,M3.5.0,M10.5.0/3x", false}, {"CET-1CEST,J0,J365", false}, {"<+05-5", false},
  };
  for (const auto& [text, valid] : kRules) EXPECT_EQ(PosixZoneRule::parse(text).has_value(), valid) << text;
}

// Worked by hand from POSIX's definition: a rule in force all year (summer
// time from 1 January 00:00 to 31 December 25:00), and one by day of the year
// counted without 29 February: J79/24 ends 20 March, so summer time begins at
// 21 March 2022 00:00 at +03:30 (20 March 20:30 UT); J263/24 ends 20
// September, so it ends at 21 September 00:00 at +04:30 (20 September 19:30 UT).
TEST(PosixZoneRule, DayOfYearRules) {
  const auto always = PosixZoneRule::parse("EST5EDT,0/0,J365/25");
  ASSERT_TRUE(always);
  EXPECT_EQ(always->at(1767225600).utcOffsetSeconds, -14400);  // 2026-01-01 00:00 UT
  EXPECT_EQ(always->at(1782864000).utcOffsetSeconds, -14400);  // 2026-07-01
  const auto iran = PosixZoneRule::parse("<+0330>-3:30<+0430>,J79/24,J263/24");
  ASSERT_TRUE(iran);
  constexpr std::pair<int64_t, int32_t> kIran[] = {
      {1647808199, 12600}, {1647808200, 16200}, {1663702199, 16200}, {1663702200, 12600}};
  for (const auto& [t, offset] : kIran) EXPECT_EQ(iran->at(t).utcOffsetSeconds, offset) << t;
}

}  // namespace
}  // namespace celvaro
