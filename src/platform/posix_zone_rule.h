// The rule a time zone follows after its last listed change, written as a
// POSIX TZ string: "CET-1CEST,M3.5.0,M10.5.0/3" (Central European Time one
// hour east of Greenwich, summer time from the last Sunday of March at 02:00
// to the last Sunday of October at 03:00, local times).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace celvaro {

// A zone's clock at one instant: its offset from Universal Time and the
// offset of its standard time then, both in seconds east of Greenwich.
struct ZoneState {
  int32_t utcOffsetSeconds = 0;
  int32_t standardOffsetSeconds = 0;
  bool operator==(const ZoneState&) const = default;
};

class PosixZoneRule {
 public:
  // None for a text that is not a TZ rule.
  static std::optional<PosixZoneRule> parse(std::string_view text);

  // The clock at an instant in seconds since 1970-01-01 00:00 UT.
  ZoneState at(int64_t unixSeconds) const;

  // The day a rule's change falls on, and the local time of day it happens.
  struct Change {
    char form = 'M';          // 'M' month.week.day, 'J' day 1..365 without 29 February, 'N' day 0..365
    int month = 0, week = 0, weekday = 0, day = 0;
    int32_t secondsOfDay = 7200;
  };

 private:
  int64_t changeInYear(const Change& change, int64_t year, int32_t offsetBefore) const;

  int32_t standard_ = 0;
  std::optional<int32_t> daylight_;  // none: the zone keeps standard time all year
  Change start_, end_;
};

}  // namespace celvaro
