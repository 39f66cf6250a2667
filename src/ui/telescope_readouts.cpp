#include "ui/telescope_readouts.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

#include "astro/zone_time.h"
#include "platform/serial_port.h"

namespace celvaro {
namespace {

constexpr double kArcminPerRad = 360.0 * 60.0 / (2.0 * std::numbers::pi);
constexpr int kSecondsPerDay = 86400;

template <typename... Args>
std::string printed(const char* format, Args... args) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, args...);
  return buffer;
}

}  // namespace

std::string mountRaText(double raRad) {
  const long m = std::lround(raRad * kArcminPerRad);
  return printed("%02ld:%02ld:%02ld", m / 900, (m % 900) / 15, ((m % 900) % 15) * 4);
}

std::string mountDecText(double decRad) {
  const long m = std::lround(decRad * kArcminPerRad);
  const long a = std::labs(m);
  return printed(m < 0 ? "-%ld:%ld" : "%ld:%ld", a / 60, a % 60);
}

std::string clockDateText(const ChartDate& d) {
  return printed("%04d.%02d.%02d  %02d:%02d:%02d", d.year, d.month, d.day, d.hour, d.minute,
                 static_cast<int>(d.seconds));
}

// Half a second added keeps a time that falls a hair short of a whole
// second from showing the second before.
ChartDate clockDate(double julianDate, int offsetSeconds) {
  return chartDateOfJulian(julianDate + (offsetSeconds + 0.5) / kSecondsPerDay);
}

std::string siderealText(double hours) {
  const long s = std::lround(hours * 3600.0);
  const long inDay = ((s % kSecondsPerDay) + kSecondsPerDay) % kSecondsPerDay;
  return printed("%02ld:%02ld:%02ld", inDay / 3600, (inDay % 3600) / 60, inDay % 60);
}

std::string julianText(double julianDate) { return printed("%lf", julianDate); }

std::vector<std::string> serialPortTexts(const std::string& programDir, const std::string& notPresent) {
  std::vector<std::string> texts;
  int port = 0;
  for (const SerialPortInfo& info : describeSerialPorts(programDir, kSerialPortCount)) {
    std::string text = "COM" + std::to_string(++port);
    if (info.missing) text += "  " + notPresent + ": " + info.resolved;
    else if (!info.device.empty()) text += "  " + info.resolved;
    if (!info.byIdName.empty()) text += "  (" + info.byIdName + ")";
    texts.push_back(std::move(text));
  }
  return texts;
}

}  // namespace celvaro
