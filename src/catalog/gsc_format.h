// The Guide Star Catalog as this system reads it: 9537 regions in 24
// declination zones, stored either one file per region in the published
// compressed form or packed one file per zone with an index.
//
// Region file (compressed form): a text header whose length in bytes is
// given by its first three characters (1..511); columns 12-16 hold the
// record count, and after it come nine blank-separated numbers, of which
// the 1st is the right-ascension offset, the 3rd the declination offset,
// the 5th the magnitude offset, the 6th, 7th and 9th the right-ascension,
// declination and magnitude scales. Then 12-byte records, bytes 0-11:
//
//   right ascension  ((byte 1 & 1) << 24 | bytes 2, 3, 4) >> 3   22 bits
//   declination      (byte 4 & 7) << 16 | bytes 5, 6              19 bits
//   magnitude value  byte 9 << 3 | byte 10 >> 5                    11 bits
//   flags            bits 4-6 of byte 11: not a star, skipped; so is a
//                    magnitude value of 0
//
// Packed layout: the index gsc_idx.dat, an 8-byte magic and two 32-bit
// values, then one 88-byte record per region in region order:
//
//   offset  size  field
//   0       4     zone 0..23 (the zone file <zone directory>.dat)
//   4       4     first record in the zone file
//   8       4     record count
//   12      4     not read
//   16      72    the nine header values as doubles, in the header's order
//
// A zone file holds 8 bytes not read, then 9-byte records; A = bytes 0-3
// and B = bytes 4-7 as little-endian 32-bit values (byte 8 not read):
// right ascension B mod 2^22, declination A mod 2^19, magnitude value
// (A >> 19) mod 2^11. No packed record is skipped.
//
// Either way: degrees = value / scale + offset (right ascension wrapped
// into 0..360), magnitude in hundredths = round((value / scale + offset)
// 100), at least 0.
#pragma once

#include <cstdint>
#include <string_view>

namespace celvaro::gsc {

constexpr int kRegions = 9537;
constexpr int kZones = 24;
constexpr int kRegionRecordBytes = 12;
constexpr int kMaxHeaderBytes = 511;
constexpr int kIndexHeaderBytes = 16;
constexpr int kIndexRecordBytes = 88;
constexpr int kZoneHeaderBytes = 8;
constexpr int kZoneRecordBytes = 9;

// The zone directory ("N0000" .. "S8230") of zone 0..23.
const char* zoneName(int zone);
// The zone of a region number 1..9537; -1 for another number.
int zoneOfRegion(int region);

struct RegionScales {
  double raOffset = 0, decOffset = 0, magOffset = 0;
  double raScale = 1, decScale = 1, magScale = 1;
};

struct Star {
  double raDeg, decDeg;
  int32_t magHundredths;
};

// A region header's length from its first three characters; 0 outside 1..511.
int headerLength(std::string_view firstThree);
// The record count and scales of a region header; false when a value is
// missing or not finite, or a scale is not positive.
bool parseRegionHeader(std::string_view header, int32_t& recordCount, RegionScales& scales);
// False for a record that is skipped.
bool decodeRegionRecord(const uint8_t* record, const RegionScales& scales, Star& star);

struct PackedRegion {
  int32_t zone = -1;
  int32_t first = 0;
  int32_t count = 0;
  RegionScales scales;
};
// False, for a region that holds nothing, when the zone, the first record
// or the count is out of range or the scales are unusable.
bool decodeIndexRecord(const uint8_t* record, PackedRegion& region);
Star decodeZoneRecord(const uint8_t* record, const RegionScales& scales);

}  // namespace celvaro::gsc
