#include "aids/aid_file.h"

#include <cstring>

#include "platform/binary_file.h"

namespace celvaro {
namespace {

bool headerMatches(const uint8_t* header, const AidFileFormat& format) {
  return std::memcmp(header, "CLV_", 4) == 0 && std::memcmp(header + 4, format.type, 4) == 0 &&
         loadU32(header + 8) == kAidVersion;
}

bool countsInRange(uint32_t records, uint32_t units, const AidFileFormat& format) {
  return records >= 1 && records <= format.maxRecords && units >= 1 && units <= format.maxUnits;
}

}  // namespace

int readAidFile(const std::string& path, const AidFileFormat& format, AidFileBlocks& blocks) {
  blocks = {};
  BinaryFile file(path);
  if (!file.isOpen()) return kAidCannotOpen;
  uint8_t header[kAidHeaderBytes];
  if (!file.read(header, sizeof header) || !headerMatches(header, format)) return kAidWrongHeader;
  const uint32_t records = loadU32(header + 12), units = loadU32(header + 16);
  if (!countsInRange(records, units, format)) return kAidCountOutOfRange;
  AidFileBlocks read;
  read.recordCount = records;
  read.unitCount = units;
  // The counts are bounded above, so the block sizes cannot overflow.
  if (!file.readInto(read.records, size_t{records} * format.recordBytes) ||
      !file.readInto(read.units, size_t{units} * format.unitBytes)) {
    return kAidCountOutOfRange;
  }
  blocks = std::move(read);
  return kAidLoaded;
}

}  // namespace celvaro
