// Writers of the large star catalogs' files in their published layouts:
// the Guide Star Catalog's region files, packed zones, packed index and
// region table, and USNO-A2.0's records and cell index; shared by the
// tests and the fuzz seeds. Each returns the bytes of a file or a record.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace celvaro {

// --- GSC -----------------------------------------------------------------

// One compressed region record: right ascension (22 bits), declination
// (19 bits) and magnitude value (11 bits) in their bit places, and the
// flags of byte 11.
std::string gscRecord(uint32_t ra, uint32_t dec, uint32_t magnitude, uint8_t flags = 0);

// A region file: the text header (length, version, region, record count,
// then the nine values: right-ascension offset, 0, declination offset, 0,
// magnitude offset, the three scales with a 0 before the magnitude scale)
// padded to 64 bytes, then the records.
std::string gscRegionFile(int region, int32_t recordCount, double raOffset, double decOffset,
                          const std::vector<std::string>& records, double scale = 100000);

// A packed zone record: A = declination | magnitude << 19, B = right ascension.
std::string gscZoneRecord(uint32_t ra, uint32_t dec, uint32_t magnitude);

struct PackedIndexEntry {
  int32_t zone, first, count;
  double raOffset, decOffset;
};

// The packed index: magic, two values, then 9537 records, those not given
// in zone 0 with no records.
std::string gscPackedIndex(const std::vector<PackedIndexEntry>& entries, int records = 9537);

// The region table: the centres given (degrees of right ascension and
// declination), every other one at (180, -60).
std::string gscRegionTable(const std::vector<std::pair<double, double>>& centresDeg);

// --- USNO-A2.0 ---------------------------------------------------------------

// A record at (ra, dec) degrees with its magnitude word.
std::string usnoRecord(double raDeg, double decDeg, int32_t magnitudes);

// The cell index from each cell's record count (zone by zone, 96 cells each).
std::string usnoCellIndex(const std::vector<uint32_t>& cellCounts);

}  // namespace celvaro
