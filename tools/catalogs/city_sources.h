// What the catalog builder reads for the city list: the places of the
// Stellarium location list (data/base_locations.bin.gz, a gzip-compressed
// big-endian Qt data stream), and from the time-zone database of this
// machine the country of each zone and its standard offset.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace celvaro {

struct SourceLocation {
  std::string name;       // as the source writes it, ASCII letters
  std::string region;     // the UN geoscheme region
  char role = 'N';        // C capital, R regional capital, N city, O observatory, others
  int32_t population = 0;
  double latitudeDeg = 0, longitudeDeg = 0;  // east positive
  std::string timeZone;   // IANA zone name
  bool onEarth = true;
};

bool readStellariumLocations(const std::string& gzipPath, std::vector<SourceLocation>& locations);

// The two-letter country code of each zone of zone.tab, and of each link
// to such a zone in tzdata.zi ("L Europe/Kyiv Europe/Kiev").
bool readZoneCountries(const std::string& zoneTab, const std::string& tzdataZi,
                       std::map<std::string, std::string>& countries);

// The offset of a zone's standard time from Universal Time in minutes,
// from the C library's time-zone rules for 2025; none for an unknown zone.
std::optional<int> standardOffsetMinutes(const std::string& zone);

}  // namespace celvaro
