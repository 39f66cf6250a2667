// A time zone's clock through history and after it, as the system's
// time-zone database keeps it: a zone file (TZif) of /usr/share/zoneinfo
// lists each change of offset, and its last line gives the rule that
// follows the last change.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix_zone_rule.h"

namespace celvaro {

class TimeZoneRules {
 public:
  // False, and no rules, for bytes that are not a whole zone file.
  bool parse(std::string_view bytes);

  // The clock at an instant in seconds since 1970-01-01 00:00 UT.
  ZoneState at(int64_t unixSeconds) const;

  // The rules of a zone as the database names it ("Europe/Budapest"), read
  // from the database ($TZDIR, else /usr/share/zoneinfo) once and kept; none
  // for a name the database lacks or a name that is not a zone's.
  static const TimeZoneRules* named(const std::string& name);

 private:
  std::vector<int64_t> transitions_;
  std::vector<ZoneState> states_;  // the clock from each transition on
  ZoneState first_;                // before the first transition
  std::optional<PosixZoneRule> rule_;  // after the last one
};

// The zone the computer's clock keeps ("Europe/Budapest"), from $TZ or the
// system's /etc/localtime; empty when it names none or one of no region
// ("Etc/UTC", which a server or a fresh installation keeps wherever it is).
std::string systemTimeZoneName();

}  // namespace celvaro
