// The list of cities for choosing the observing place (data/cities.dat,
// type "CITY"): N records of 20 bytes, then M bytes of names.
//
//   offset in record  size  field
//   0                 4     latitude, hundredths of a degree, north positive
//   4                 4     longitude, hundredths of a degree, east positive
//   8                 4     standard time zone, minutes east of Greenwich
//   12                4     offset of the name in the name block
//   16                4     offset of the time-zone database's name of the
//                           city's zone ("Europe/Budapest") in the name
//                           block; 0: none (lists that predate it)
//
// Names are zero-ended UTF-8 strings, the zones' after the cities'. A
// missing or malformed file leaves the list empty.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "aids/aid_file.h"

namespace celvaro {

struct City {
  int32_t latitudeHundredthDeg = 0;
  int32_t longitudeHundredthDeg = 0;
  int32_t timeZoneMinutes = 0;
  bool operator==(const City&) const = default;
};

class CityList {
 public:
  static constexpr const char* kPath = "data/cities.dat";

  // An AidLoadResult; the list is empty unless kAidLoaded.
  int load(const std::string& path);

  int count() const { return static_cast<int>(blocks_.recordCount); }
  // None for an index outside the list.
  std::optional<City> cityAt(int index) const;
  // None for an index outside the list or a name outside the name block.
  std::optional<std::string> nameAt(int index) const;
  // The city's zone; empty for an index outside the list, a city without
  // one or a name outside the name block.
  std::string zoneAt(int index) const;

  // The names in file order: each call gives the next name, none at the
  // end or at the first record whose name does not lie inside the name
  // block, zero-ended. firstCity starts again from the first record.
  std::optional<std::string> firstCity();
  std::optional<std::string> nextCity();

 private:
  std::optional<std::string> nameOf(int index) const;
  std::optional<std::string> textAt(uint32_t offset) const;

  AidFileBlocks blocks_;
  int cursor_ = 0;
};

}  // namespace celvaro
