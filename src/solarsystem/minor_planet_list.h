// A list of asteroids read from a file in the MPCORB one-line format: the
// orbital elements of each data line, its position at the chart's instant
// and the lookups by number, designation and name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "astro/star_position.h"
#include "solarsystem/computed_position.h"
#include "solarsystem/ephemeris.h"

namespace celvaro {

struct AsteroidElements {
  bool valid = false;           // every field the orbit needs reads as a number
  bool hasMagnitudes = false;   // H and G given
  int32_t number = 0;           // 0 for an unnumbered object
  std::string packedDesignation;  // 7 characters; empty for a numbered object
  std::string designation;        // its unpacked text
  EllipticElements orbit{};
  double g = 0, h = 0;
  int32_t nameOffset = -1;      // in the list's name store, -1 none
};

class MinorPlanetList {
 public:
  static constexpr int kShortCapacity = 1000;
  static constexpr int kLongCapacity = 200000;
  // Pluto's number. The chart computes Pluto from its own theory as a body
  // of the solar system, so the lists leave its line out.
  static constexpr int32_t kPlutoNumber = 134340;

  MinorPlanetList(int capacity, std::string path);

  // 0, 4 when the file cannot be opened. A loaded list is not read again.
  // Pluto's line is not kept.
  int load();
  bool loaded() const { return loaded_; }
  int count() const { return static_cast<int>(elements_.size()); }
  const AsteroidElements& element(int index) const { return elements_[index]; }
  const std::string& path() const { return path_; }

  // Positions are for this instant from now on, computed at the first read.
  void placeAt(const MinorBodyEphemeris& at);
  // Index or -1. The designation is typed ("2006 DA00"); names compare
  // without regard to case, with or without the leading "(number) ".
  int findByNumber(int number) const;
  int findByDesignation(std::string_view typed) const;
  int findByName(std::string_view name) const;
  // The entry's name, or its designation when it has none; empty for an
  // index outside the list.
  std::string name(int index) const;
  bool position(int index, StarPosition& out) const;
  // The entry's magnitude at the instant last placed; none without one.
  std::optional<double> magnitude(int index) const;

  // One data line; the name goes to the end of `names`.
  static AsteroidElements parseLine(std::string_view line, std::string& names);
  // The first data line: a digit or capital letter followed by a digit.
  static bool isDataLine(std::string_view line);

 private:
  int capacity_;
  std::string path_;
  bool loaded_ = false;
  std::vector<AsteroidElements> elements_;
  InstantPositions positions_;
  std::string names_;
};

}  // namespace celvaro
