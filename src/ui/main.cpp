// celvaro: until the chart window exists, the program reports the sky of
// the current instant at the configured observing place: the Julian date,
// the Greenwich and local sidereal time, and where a few bright stars stand.
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "app/app_model.h"
#include "app/configuration.h"
#include "app/startup.h"
#include "astro/coordinates.h"
#include "astro/sidereal_time.h"
#include "astro/text_forms.h"
#include "platform/system_time.h"

namespace {

using namespace celvaro;

struct BrightStar {
  const char* name;
  double raDeg, decDeg;  // J2000
};

constexpr BrightStar kBrightStars[] = {
    {"Sirius", 101.2872, -16.7161},   {"Canopus", 95.9880, -52.6957},
    {"Arcturus", 213.9153, 19.1824},  {"Vega", 279.2347, 38.7837},
    {"Capella", 79.1723, 45.9980},    {"Rigel", 78.6345, -8.2016},
    {"Procyon", 114.8255, 5.2250},    {"Betelgeuse", 88.7929, 7.4071},
    {"Altair", 297.6958, 8.8683},     {"Aldebaran", 68.9802, 16.5093},
    {"Antares", 247.3519, -26.4320},  {"Spica", 201.2983, -11.1613},
    {"Deneb", 310.3580, 45.2803},     {"Polaris", 37.9546, 89.2641},
    {"Regulus", 152.0930, 11.9672},
};

std::string currentDirectory() {
  std::vector<char> buffer(4096);
  return getcwd(buffer.data(), buffer.size()) ? std::string(buffer.data()) : std::string(".");
}

std::string dateText(const ChartDate& d) {
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", d.year, d.month, d.day, d.hour,
                d.minute, static_cast<int>(d.seconds));
  return text;
}

void printSky(const AppModel& model) {
  constexpr double kRadPerDeg = std::numbers::pi / 180.0;
  const ObservingPlace& place = model.place;
  const double jd = julianDateOf(model.universal);
  const double gst = greenwichSiderealTime(jd);
  const double lst = localSiderealTime(gst, place.longitudeDeg);
  std::printf("Observing place: latitude %.4f, longitude %.4f, time zone %+.1f h%s\n",
              place.latitudeDeg, place.longitudeDeg, place.timeZoneHours,
              place.daylightSaving ? " with daylight saving" : "");
  std::printf("Universal time:  %s\n", dateText(model.universal).c_str());
  std::printf("Local time:      %s\n", dateText(model.local).c_str());
  std::printf("Julian date:     %.5f\n", jd);
  std::printf("Greenwich sidereal time: %s (%.6f h)\n", formatHours(gst * std::numbers::pi / 12).c_str(), gst);
  double lstWrapped = std::fmod(std::fmod(lst, 24.0) + 24.0, 24.0);
  std::printf("Local sidereal time:     %s (%.6f h)\n\n",
              formatHours(lstWrapped * std::numbers::pi / 12).c_str(), lstWrapped);
  std::printf("%-11s %-9s %-10s %9s %9s\n", "Star", "RA", "Dec", "Altitude", "Azimuth");
  for (const BrightStar& star : kBrightStars) {
    HorizontalPosition p = equatorialToHorizontal(star.raDeg * kRadPerDeg, star.decDeg * kRadPerDeg,
                                                  place.latitudeDeg, place.longitudeDeg, gst);
    // The program counts azimuth from the south; shown here from the north, as compasses do.
    double azimuthFromNorth = normaliseDegrees(p.azimuthDeg + 180.0);
    std::printf("%-11s %-9s %-10s %8.2f° %8.2f°%s\n", star.name,
                formatHours(star.raDeg * kRadPerDeg).c_str(),
                formatDegrees(star.decDeg * kRadPerDeg).c_str(), p.altitudeDeg, azimuthFromNorth,
                p.altitudeDeg < 0 ? "  (below the horizon)" : "");
  }
  std::printf("\nAzimuth counts from the north through the east.\n");
}

}  // namespace

int main() {
  const std::string programDir = currentDirectory();
  UiResources resources;
  resources.setProgramDir(programDir);
  AppModel model(programDir, configurationPath(programDir), resources);
  model.loadConfiguration();
  CalendarTime now = systemUniversalTime();
  model.setUniversalDate({now.year, now.month, now.day, now.hour, now.minute, double(now.second)});
  printSky(model);
  runShutdown(model);
  return 0;
}
