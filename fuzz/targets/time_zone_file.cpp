// A zone file of the system's time-zone database, and the rule its last
// line gives, read for an instant of the input's choosing.
#include <cstring>
#include <string_view>

#include "platform/time_zone_rules.h"

using namespace celvaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  int64_t instant = 0;
  if (size >= sizeof instant) std::memcpy(&instant, data, sizeof instant);
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TimeZoneRules rules;
  if (rules.parse(bytes)) rules.at(instant);
  if (const auto rule = PosixZoneRule::parse(bytes)) rule->at(instant);
  return 0;
}
