#include "telescope/guider_replies.h"

#include <time.h>

#include <cmath>
#include <cstdio>
#include <numbers>

#include "astro/zone_time.h"

namespace celvaro {
namespace {

constexpr char kProductName[] = "Celvaro#";
constexpr long long kSecondsPerDay = 86400;

std::string formatted(const char* format, auto... values) {
  char text[32];
  std::snprintf(text, sizeof text, format, values...);
  return text;
}

// "HH:MM:SS#", to the nearest second of time.
std::string rightAscensionText(double raRad) {
  long long s = std::llround(raRad * 12 / std::numbers::pi * 3600) % kSecondsPerDay;
  if (s < 0) s += kSecondsPerDay;
  return formatted("%02lld:%02lld:%02lld#", s / 3600, s / 60 % 60, s % 60);
}

// "sDD*MM'SS#", to the nearest second of arc.
std::string declinationText(double decRad) {
  const long long s = std::min(std::llround(std::abs(decRad) * 180 / std::numbers::pi * 3600), 90LL * 3600);
  return formatted("%c%02lld*%02lld'%02lld#", decRad < 0 && s > 0 ? '-' : '+', s / 3600, s / 60 % 60, s % 60);
}


}  // namespace

void GuiderReplies::setPlace(const ObservingPlace& place) {
  std::lock_guard lock(mutex_);
  place_ = place;
}

void GuiderReplies::setPosition(double raRad, double decRad) {
  std::lock_guard lock(mutex_);
  positionKnown_ = true;
  raRad_ = raRad, decRad_ = decRad;
}

std::string GuiderReplies::reply(std::string_view command) const {
  if (command.size() < 2 || (command[0] != 'G' && command[0] != 'g')) return "";
  std::lock_guard lock(mutex_);
  switch (command[1]) {
    case 'R': return positionKnown_ ? rightAscensionText(raRad_) : "00:00:00#";
    case 'S': return "00:00:00#";
    case 'D': return positionKnown_ ? declinationText(decRad_) : "+00*00'00#";
    default: return siteReply(command.substr(1));
  }
}

// With the lock held; the command without its 'G'.
std::string GuiderReplies::siteReply(std::string_view command) const {
  if (command == "c") return "24#";  // the clock runs in 24-hour format
  if (command == "M" || command == "VP" || command == "VF") return kProductName;
  if (command == "T") return "60.1#";  // sidereal tracking, in tenths of a hertz
  if (command == "VD") return "Jan 01 2026#";
  if (command == "VT") return "00:00:00#";
  if (command == "VN") return "01.0#";
  if (command == "t") {
    const long long minutes = std::llround(std::abs(place_.latitudeDeg) * 60);
    return formatted("%c%02lld*%02lld#", place_.latitudeDeg < 0 ? '-' : '+', minutes / 60, minutes % 60);
  }
  if (command == "g") {  // degrees west of Greenwich, 0..360
    const long long minutes = ((std::llround(-place_.longitudeDeg * 60) % 21600) + 21600) % 21600;
    return formatted("%03lld*%02lld#", minutes / 60, minutes % 60);
  }
  if (command == "G") {  // the hours to add to the local time to get universal time, now
    const double hours = -zoneOffsetAt(place_, nowSeconds()) / 3600.0;
    if (hours == std::round(hours)) return formatted("%+03d#", static_cast<int>(hours));
    return formatted("%+05.1f#", hours);
  }
  if (command.size() == 1) return clockReply(command[0]);
  return "";
}

int64_t GuiderReplies::nowSeconds() const {
  return std::chrono::duration_cast<std::chrono::seconds>(now_().time_since_epoch()).count();
}

// With the lock held: the place's local time ":GL#" or date ":GC#".
std::string GuiderReplies::clockReply(char letter) const {
  if (letter != 'L' && letter != 'C') return "";
  const int64_t seconds = nowSeconds();
  const time_t local = static_cast<time_t>(seconds + zoneOffsetAt(place_, seconds));
  tm t{};
  if (::gmtime_r(&local, &t) == nullptr) return "";
  if (letter == 'L') return formatted("%02d:%02d:%02d#", t.tm_hour, t.tm_min, t.tm_sec);
  return formatted("%02d/%02d/%02d#", t.tm_mon + 1, t.tm_mday, t.tm_year % 100);
}

}  // namespace celvaro
