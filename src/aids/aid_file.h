// The three data files of the observing aids (data/cities.dat,
// data/starhopping.dat, data/sky_guide.dat) share one header of five
// little-endian 32-bit words:
//
//   offset  size  field
//   0       4     magic "CLV_"
//   4       4     file type: "CITY", "STHP" or "TIPS"
//   8       4     version, 1
//   12      4     N, the number of records
//   16      4     M, the size of the second block in its units
//
// followed by N records and M units of the second block. One reader checks
// the header, the counts and that the file holds both blocks in full.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace celvaro {

enum AidLoadResult : int {
  kAidLoaded = 0,
  kAidWrongHeader = 2,       // magic, type or version
  kAidCountOutOfRange = 3,   // N or M outside the format's range, or blocks the file does not hold
  kAidCannotOpen = 4,
};

struct AidFileFormat {
  const char* type;          // four letters
  uint32_t maxRecords;       // N from 1 to this
  uint32_t maxUnits;         // M from 1 to this
  uint32_t recordBytes;
  uint32_t unitBytes;        // of the second block
};

inline constexpr AidFileFormat kCityFormat{"CITY", 10000, 16000, 20, 1};
inline constexpr AidFileFormat kStarHopFormat{"STHP", 1000, 10000, 16, 16};
inline constexpr AidFileFormat kSkyGuideFormat{"TIPS", 10000, 100000, 20, 2};

constexpr uint32_t kAidHeaderBytes = 20;
constexpr uint32_t kAidVersion = 1;

struct AidFileBlocks {
  uint32_t recordCount = 0;
  uint32_t unitCount = 0;
  std::vector<uint8_t> records;  // recordCount * recordBytes
  std::vector<uint8_t> units;    // unitCount * unitBytes
};

// Reads a whole file of the format; on any result but kAidLoaded the
// blocks are left empty.
int readAidFile(const std::string& path, const AidFileFormat& format, AidFileBlocks& blocks);

}  // namespace celvaro
