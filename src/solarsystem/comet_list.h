// The comet list: a file in the Minor Planet Center's one-line comet
// format, read whole; every line, blank ones included, has a record.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "astro/coordinates.h"
#include "astro/star_position.h"
#include "solarsystem/computed_position.h"
#include "solarsystem/ephemeris.h"

namespace celvaro {

struct CometRecord {
  int line = 0;                 // from 0
  bool valid = false;           // every field the orbit needs reads as a number
  int periodicNumber = -1;      // -1 none
  char orbitType = ' ';
  std::string packedDesignation;  // 7 characters, empty when absent
  ChartDate perihelion;         // whole seconds
  CometElements orbit{};
  std::optional<double> h, k;   // magnitude g + 5 log delta + 2.5 k log r, when given
  std::string name;
};

class CometList {
 public:
  // 0, 3 for an empty file, 4 when it cannot be opened.
  int load(const std::string& path);
  bool loaded() const { return !records_.empty(); }
  int count() const { return static_cast<int>(records_.size()); }
  const CometRecord& record(int index) const { return records_[index]; }
  // None for an invalid record or an orbit without a position.
  static std::optional<EquatorialPosition> computePosition(const CometRecord& record, const MinorBodyEphemeris& at);
  // Positions are for this instant from now on, computed at the first read.
  void placeAt(const MinorBodyEphemeris& at);
  // False for an index outside the list or a comet without a position.
  bool position(int index, StarPosition& out) const;
  // The comet's magnitude at the instant last placed; none without one.
  std::optional<double> magnitude(int index) const;

  static CometRecord parseLine(std::string_view line);

 private:
  std::vector<CometRecord> records_;
  InstantPositions positions_;
};

}  // namespace celvaro
