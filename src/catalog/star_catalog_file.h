// The file layout the double-star (CLV_WDSC) and variable-star (CLV_GCVS)
// catalogs share, little-endian throughout:
//
//   offset          size  field
//   0               8     magic
//   8               4     version
//   12              4     region count R: 0 in flat files, 4..100 in regional ones
//   16              4     record count N
//   20              4     record size S
//   24              4     most items of an information record (flat 0, regional 0..64)
//   28              4     most words of an information record (flat 0, regional 0..192)
//   32              4     most text bytes of an information record (flat 0, regional 0..1024)
//   36              40 R  regions (sky_regions.h)
//   36+40R          S N   records, brightest first within each region (flat: over the file)
//   36+40R+SN       -     information area (regional files): each record's
//                         information at its offset, its words then its text
//
// A record gives its information as an offset into the information area
// and a packed size: bits 0-7 items, 8-15 words, 16-31 text bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "catalog/sky_regions.h"
#include "catalog/star_info_file.h"
#include "platform/mapped_file.h"

namespace celvaro {

struct StarCatalogFormat {
  const char* magic;
  int32_t version;
  int32_t maxRecords;
  int32_t recordBytes;
};

// A file's record bytes where the file is mapped, so that they are decoded
// without a copy: valid while the object lives.
struct RecordBytes {
  MappedFile file;
  std::span<const uint8_t> bytes;
};

class StarCatalogFile {
 public:
  static constexpr int kHeaderBytes = 36;
  static constexpr int32_t kMinRegions = 4, kMaxRegions = 100;
  static constexpr int32_t kMaxInfoItems = 64, kMaxInfoWords = 192, kMaxInfoText = 1024;

  // Finds a flat file's records: 0; 3 for a wrong magic, version or header
  // value, or records the file does not hold; 4 when it cannot be opened.
  // `records` is empty unless the answer is 0.
  int openFlat(const std::string& path, const StarCatalogFormat& format, RecordBytes& records);
  // Reads a regional file's regions and finds its records: 0; 2 for a wrong
  // magic or version; 3 for a value out of range, a region run outside the
  // records or a file shorter than its counts; 4 when it cannot be opened.
  int openRegional(const std::string& path, const StarCatalogFormat& format, RecordBytes& records);

  const std::vector<SkyRegion>& regions() const { return regions_; }
  // The items of the information record at `offset` in the information
  // area; false when its size exceeds the limits or the area, or the file
  // cannot be read.
  bool readInfo(uint32_t offset, uint32_t packedSize, std::vector<StarInfoItem>& items) const;

 private:
  void clear();

  std::string path_;
  std::vector<SkyRegion> regions_;
  uint64_t infoStart_ = 0, infoBytes_ = 0;
};

// The records of a file's record bytes, `recordBytes` each, decoded one by one.
template <typename Record>
std::vector<Record> decodeRecords(std::span<const uint8_t> bytes, size_t recordBytes,
                                  Record (*decode)(const uint8_t* record)) {
  std::vector<Record> records;
  records.reserve(bytes.size() / recordBytes);
  for (size_t at = 0; at + recordBytes <= bytes.size(); at += recordBytes) records.push_back(decode(&bytes[at]));
  return records;
}

}  // namespace celvaro
