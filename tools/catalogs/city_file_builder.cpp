#include "city_file_builder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <numbers>

#include "aids/aid_file.h"
#include "astro/coordinates.h"
#include "star_files_builder.h"

namespace celvaro {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;
constexpr double kSuburbReachArcmin = 8;
constexpr double kSuburbReachPopulation = 500000;
// The cities' names; their zones' names follow them within the format's limit.
constexpr size_t kCityNameBytes = 10000;

// Towns of the countries of the program's languages, from this many people.
const std::map<std::string, int32_t> kHomeCountryTowns = {{"HU", 30000}, {"AT", 20000}, {"RO", 60000}, {"DE", 150000}};

struct Candidate {
  const SourceLocation* place;
  std::string country;
  int offsetMinutes;
};

enum Group { kCapitals, kHomeTowns, kWorld, kLeftOut };

Group groupOf(const Candidate& c) {
  if (c.place->role == 'C') return kCapitals;
  const auto home = kHomeCountryTowns.find(c.country);
  return home != kHomeCountryTowns.end() && c.place->population >= home->second ? kHomeTowns : kWorld;
}

bool isTown(const SourceLocation& place) { return place.onEarth && (place.role == 'C' || place.role == 'R' || place.role == 'N'); }

std::vector<Candidate> candidates(const std::vector<SourceLocation>& locations,
                                  const std::map<std::string, std::string>& zoneCountries, const ZoneOffsets& offsetOf) {
  std::vector<Candidate> out;
  for (const SourceLocation& place : locations) {
    const auto country = zoneCountries.find(place.timeZone);
    if (!isTown(place) || country == zoneCountries.end()) continue;
    if (const std::optional<int> offset = offsetOf(place.timeZone)) out.push_back({&place, country->second, *offset});
  }
  // Capitals, then the home countries' towns, then the world, largest first.
  std::stable_sort(out.begin(), out.end(), [](const Candidate& a, const Candidate& b) {
    const Group ga = groupOf(a), gb = groupOf(b);
    return ga != gb ? ga < gb : a.place->population > b.place->population;
  });
  return out;
}

// The reach of a city's districts and suburbs: 8' (about 15 km), growing
// with the square root of its people above half a million.
double suburbReachArcmin(const SourceLocation& city) {
  return kSuburbReachArcmin * std::max(1.0, std::sqrt(city.population / kSuburbReachPopulation));
}

bool isSuburb(const SourceLocation& place, const std::vector<const SourceLocation*>& chosen) {
  return place.role == 'N' && std::any_of(chosen.begin(), chosen.end(), [&](const SourceLocation* city) {
           return separationAndAngle(place.longitudeDeg * kRadPerDeg, place.latitudeDeg * kRadPerDeg,
                                     city->longitudeDeg * kRadPerDeg, city->latitudeDeg * kRadPerDeg, false)
                      .arcmin < suburbReachArcmin(*city);
         });
}

int32_t hundredths(double degrees) { return static_cast<int32_t>(std::lround(degrees * 100)); }

std::string sortKey(const std::string& name) {
  std::string key = name;
  for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return key;
}

// Sets TZ for the offsets and puts the caller's back afterwards.
class ZoneEnvironment {
 public:
  ZoneEnvironment() {
    if (const char* tz = std::getenv("TZ")) saved_ = tz;
  }
  ~ZoneEnvironment() {
    if (saved_) setenv("TZ", saved_->c_str(), 1);
    else unsetenv("TZ");
    tzset();
  }

 private:
  std::optional<std::string> saved_;
};

}  // namespace

std::vector<CityRecord> chooseCities(const std::vector<SourceLocation>& locations,
                                     const std::map<std::string, std::string>& zoneCountries,
                                     const ZoneOffsets& standardOffset, size_t maxNameBytes) {
  std::vector<CityRecord> cities;
  std::vector<const SourceLocation*> chosen;
  size_t nameBytes = 0;
  for (const Candidate& c : candidates(locations, zoneCountries, standardOffset)) {
    if (isSuburb(*c.place, chosen)) continue;
    std::string name = c.place->name + " (" + c.country + ")";
    if (nameBytes + name.size() + 1 > maxNameBytes) break;
    nameBytes += name.size() + 1;
    chosen.push_back(c.place);
    cities.push_back({std::move(name), hundredths(c.place->latitudeDeg), hundredths(c.place->longitudeDeg), c.offsetMinutes,
                      c.place->timeZone});
  }
  std::stable_sort(cities.begin(), cities.end(),
                   [](const CityRecord& a, const CityRecord& b) { return sortKey(a.name) < sortKey(b.name); });
  return cities;
}

bool buildCityFile(const CitySourcePaths& sources, const std::string& dataDirectory) {
  std::vector<SourceLocation> locations;
  std::map<std::string, std::string> countries;
  if (!readStellariumLocations(sources.locations, locations) ||
      !readZoneCountries(sources.zoneTab, sources.tzdataZi, countries)) {
    return false;
  }
  std::vector<CityRecord> cities;
  {
    ZoneEnvironment zone;
    cities = chooseCities(locations, countries, standardOffsetMinutes, kCityNameBytes);
  }
  size_t names = 0;
  for (const CityRecord& city : cities) names += city.name.size() + 1;
  std::printf("  cities.dat: %zu cities of %zu places, %zu bytes of names\n", cities.size(), locations.size(), names);
  const std::string bytes = cityListBytes(cities);
  return !cities.empty() && bytes.size() <= kAidHeaderBytes + cities.size() * kCityFormat.recordBytes + kCityFormat.maxUnits &&
         writeFile(dataDirectory + "/cities.dat", bytes);
}

}  // namespace celvaro
