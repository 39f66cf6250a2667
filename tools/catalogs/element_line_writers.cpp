#include "element_line_writers.h"

#include <cmath>
#include <cstdio>

#include "astro/zone_time.h"
#include "solarsystem/mpc_designation.h"

namespace celvaro {
namespace {

template <typename... Args>
std::string printed(const char* format, Args... args) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, format, args...);
  return buffer;
}

std::string optionalNumber(const std::optional<double>& value, const char* format, int width) {
  return value ? printed(format, *value) : std::string(width, ' ');
}

// Writes `text`, cut to `width`, from `column` on: the line is padded with
// blanks (or cut) to the column first.
void putAt(std::string& line, size_t column, const std::string& text, size_t width) {
  line.resize(column, ' ');
  line += text.substr(0, width);
}

std::string withoutTrailingBlanks(std::string line) {
  line.erase(line.find_last_not_of(' ') + 1);
  return line;
}

}  // namespace

std::string packedEpoch(double julianDate) {
  const ChartDate d = chartDateOfJulian(julianDate);
  if (d.year < 1800 || d.year > 2099) return "";
  const char* digits = "0123456789ABCDEFGHIJKLMNOPQRSTUV";
  return std::string(1, static_cast<char>('I' + d.year / 100 - 18)) + printed("%02d", d.year % 100) + digits[d.month] +
         digits[d.day];
}

std::string mpcorbLine(const AsteroidLine& a) {
  const std::string designation = a.number > 0 ? packNumber(a.number) : packProvisional(a.provisional);
  const std::string epoch = packedEpoch(a.epochJd);
  if (designation.empty() || epoch.empty()) return "";
  std::string line = printed("%-7s %s %s %s %9.5f  %9.5f  %9.5f  %9.5f  %9.7f %11.8f %11.7f", designation.c_str(),
                             optionalNumber(a.h, "%5.2f", 5).c_str(), optionalNumber(a.g, "%5.2f", 5).c_str(),
                             epoch.c_str(), a.meanAnomalyDeg, a.wDeg, a.nodeDeg, a.iDeg, a.e, a.nDegPerDay, a.a);
  putAt(line, 107, a.reference, 9);
  putAt(line, 166, a.readable, 28);
  return withoutTrailingBlanks(line);
}

std::string cometLine(const CometLine& c) {
  const std::string number = c.periodicNumber > 0 ? printed("%04d", c.periodicNumber) : "    ";
  std::string line = printed("%s%c%-7s  %4d %02d %7.4f %9.6f  %8.6f  %8.4f  %8.4f  %8.4f", number.c_str(), c.orbitType,
                             c.packedDesignation.c_str(), c.year, c.month, c.day, c.q, c.e, c.wDeg, c.nodeDeg, c.iDeg);
  putAt(line, 81, c.epochYear > 0 ? printed("%04d%02d%02d", c.epochYear, c.epochMonth, c.epochDay) : "", 8);
  putAt(line, 91, optionalNumber(c.h, "%4.1f", 4) + " " + optionalNumber(c.g, "%4.1f", 4), 9);
  putAt(line, 102, c.name, 56);
  putAt(line, 159, c.reference, 9);
  return withoutTrailingBlanks(line);
}

}  // namespace celvaro
