// Builds data/cities.dat, the city list of the observing-place dialog, from
// the Stellarium location list and the time-zone database of this machine.
//
// The file holds at most 10,000 bytes of names, room for some 700 cities.
// They are chosen in this order, each while its name still fits:
//   1. every capital of the source (241, among them Vatican City beside
//      Rome);
//   2. the larger towns of Hungary (from 30,000 people), Austria (20,000),
//      Romania (60,000) and Germany (150,000), the countries of the
//      program's languages, largest first;
//   3. the rest of the world's places, largest first.
// A town that is neither a capital nor a regional capital, and lies near a
// city chosen before it, is a district or a suburb of it ("Sector 3" of
// Bucharest, "Kispest" of Budapest) and is left out: near is within 8
// arcminutes (about 15 km) of the city, times the square root of its
// people in half millions for cities larger than that (28 km round
// Budapest). Observatories and places of other planets are left out too.
// A name is the source's (ASCII letters) followed by the country code of
// its zone, "Budapest (HU)"; the country comes from zone.tab, through
// tzdata.zi's links for renamed zones. The time zone is the zone's
// standard time (daylight saving is the user's switch). Places whose zone
// has no known country or offset are left out. The list is sorted by name,
// capitals and towns alike, ignoring case.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "aid_writers.h"
#include "city_sources.h"

namespace celvaro {

struct CitySourcePaths {
  std::string locations;  // Stellarium data/base_locations.bin.gz
  std::string zoneTab;    // /usr/share/zoneinfo/zone.tab
  std::string tzdataZi;   // /usr/share/zoneinfo/tzdata.zi
};

using ZoneOffsets = std::function<std::optional<int>(const std::string& zone)>;

// The cities of the file, sorted, within `maxNameBytes` (zero ends counted).
std::vector<CityRecord> chooseCities(const std::vector<SourceLocation>& locations,
                                     const std::map<std::string, std::string>& zoneCountries,
                                     const ZoneOffsets& standardOffset, size_t maxNameBytes);

// Writes data/cities.dat into `dataDirectory` and prints what it holds.
bool buildCityFile(const CitySourcePaths& sources, const std::string& dataDirectory);

}  // namespace celvaro
