#include "platform/system_time.h"

#include <ctime>

namespace celvaro {
namespace {

CalendarTime fromTm(const std::tm& t) {
  return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

}  // namespace

CalendarTime systemUniversalTime() {
  std::time_t now = std::time(nullptr);
  std::tm fields{};
  gmtime_r(&now, &fields);
  return fromTm(fields);
}

CalendarTime systemLocalTime() {
  std::time_t now = std::time(nullptr);
  std::tm fields{};
  localtime_r(&now, &fields);
  return fromTm(fields);
}

}  // namespace celvaro
