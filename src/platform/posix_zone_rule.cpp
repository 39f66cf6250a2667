#include "platform/posix_zone_rule.h"

#include <algorithm>
#include <cctype>

namespace celvaro {
namespace {

constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kFarSeconds = 1'000'000'000'000'000;

// Days from 1970-01-01 to a Gregorian date.
int64_t daysFromCivil(int64_t year, int month, int day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

int64_t yearOfDays(int64_t days) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  return yearOfEra + era * 400 + (shiftedMonth >= 10);
}

bool isLeap(int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int64_t year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return kDays[month - 1] + (month == 2 && isLeap(year));
}

// Reads the text from the front as it is taken apart.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}
  bool atEnd() const { return text_.empty(); }
  bool take(char c) {
    if (text_.empty() || text_.front() != c) return false;
    text_.remove_prefix(1);
    return true;
  }
  bool peek(char c) const { return !text_.empty() && text_.front() == c; }

  // A zone's name: three or more letters, or anything between < and >.
  bool name() {
    if (take('<')) {
      const size_t close = text_.find('>');
      if (close == std::string_view::npos || close < 3) return false;
      text_.remove_prefix(close + 1);
      return true;
    }
    size_t n = 0;
    while (n < text_.size() && std::isalpha(static_cast<unsigned char>(text_[n]))) ++n;
    text_.remove_prefix(n);
    return n >= 3;
  }

  std::optional<int> number(int max) {
    int value = 0, digits = 0;
    while (!text_.empty() && std::isdigit(static_cast<unsigned char>(text_.front())) && digits < 4) {
      value = value * 10 + (text_.front() - '0');
      text_.remove_prefix(1);
      ++digits;
    }
    if (digits == 0 || value > max) return std::nullopt;
    return value;
  }

  // [+|-]hh[:mm[:ss]], hours up to 167 as a rule's time may take them.
  std::optional<int32_t> duration() {
    const bool negative = take('-');
    if (!negative) take('+');
    const auto hours = number(167);
    if (!hours) return std::nullopt;
    int32_t seconds = *hours * 3600;
    for (int scale : {60, 1}) {
      if (!take(':')) break;
      const auto part = number(59);
      if (!part) return std::nullopt;
      seconds += *part * scale;
    }
    return negative ? -seconds : seconds;
  }

 private:
  std::string_view text_;
};

std::optional<PosixZoneRule::Change> change(Reader& in) {
  PosixZoneRule::Change c;
  std::optional<int> a, b, d;
  if (in.take('M')) {
    a = in.number(12), b = (in.take('.') ? in.number(5) : std::nullopt), d = (in.take('.') ? in.number(6) : std::nullopt);
    if (!a || *a == 0 || !b || *b == 0 || !d) return std::nullopt;
    c.month = *a, c.week = *b, c.weekday = *d;
  } else {
    c.form = in.take('J') ? 'J' : 'N';
    a = in.number(365);
    if (!a || (c.form == 'J' && *a == 0)) return std::nullopt;
    c.day = *a;
  }
  if (in.take('/')) {
    const auto time = in.duration();
    if (!time) return std::nullopt;
    c.secondsOfDay = *time;
  }
  return c;
}

}  // namespace

std::optional<PosixZoneRule> PosixZoneRule::parse(std::string_view text) {
  Reader in(text);
  PosixZoneRule rule;
  // POSIX counts offsets west of Greenwich; the rule keeps them east.
  const auto standardWest = in.name() ? in.duration() : std::nullopt;
  if (!standardWest) return std::nullopt;
  rule.standard_ = -*standardWest;
  if (in.atEnd()) return rule;
  if (!in.name()) return std::nullopt;
  rule.daylight_ = rule.standard_ + 3600;
  if (!in.atEnd() && !in.peek(',')) {
    const auto daylightWest = in.duration();
    if (!daylightWest) return std::nullopt;
    rule.daylight_ = -*daylightWest;
  }
  // A zone file's rule always says when summer time begins and ends.
  const auto start = in.take(',') ? change(in) : std::nullopt;
  const auto end = start && in.take(',') ? change(in) : std::nullopt;
  if (!end || !in.atEnd()) return std::nullopt;
  rule.start_ = *start;
  rule.end_ = *end;
  return rule;
}

// The instant of a change in a year, the change's time of day being the
// local time of the clock it ends.
int64_t PosixZoneRule::changeInYear(const Change& c, int64_t year, int32_t offsetBefore) const {
  const int64_t newYear = daysFromCivil(year, 1, 1);
  int64_t day = 0;
  if (c.form == 'J') {
    day = newYear + c.day - 1 + (isLeap(year) && c.day >= 60);
  } else if (c.form == 'N') {
    day = newYear + c.day;
  } else {
    const int64_t first = daysFromCivil(year, c.month, 1);
    const int firstWeekday = static_cast<int>(((first + 4) % 7 + 7) % 7);  // 1970-01-01 was a Thursday
    day = first + (c.weekday - firstWeekday + 7) % 7 + 7 * (c.week - 1);
    while (day >= first + daysInMonth(year, c.month)) day -= 7;  // week 5: the last such day
  }
  return day * kSecondsPerDay + c.secondsOfDay - offsetBefore;
}

// Instants beyond some thirty million years from now count as that far, so
// no sum of seconds overflows.
ZoneState PosixZoneRule::at(int64_t unixSeconds) const {
  if (!daylight_) return {standard_, standard_};
  unixSeconds = std::clamp<int64_t>(unixSeconds, -kFarSeconds, kFarSeconds);
  const int64_t localDays = (unixSeconds + standard_) / kSecondsPerDay - ((unixSeconds + standard_) % kSecondsPerDay < 0);
  const int64_t year = yearOfDays(localDays);
  const int64_t start = changeInYear(start_, year, standard_);
  const int64_t end = changeInYear(end_, year, *daylight_);
  // South of the equator summer time spans the turn of the year.
  const bool daylight = start < end ? unixSeconds >= start && unixSeconds < end : unixSeconds >= start || unixSeconds < end;
  return {daylight ? *daylight_ : standard_, standard_};
}

}  // namespace celvaro
