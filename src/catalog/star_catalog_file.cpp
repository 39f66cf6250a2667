#include "catalog/star_catalog_file.h"

#include <cstring>

#include "platform/binary_file.h"

namespace celvaro {
namespace {

struct Header {
  int32_t version, regions, records, recordBytes, infoItems, infoWords, infoText;
};

// False when the file is shorter than a header or has another magic.
bool readHeader(BinaryFile& file, const char* magic, Header& header) {
  uint8_t bytes[StarCatalogFile::kHeaderBytes];
  if (!file.read(bytes, sizeof bytes) || std::memcmp(bytes, magic, 8) != 0) return false;
  int32_t* fields[] = {&header.version,     &header.regions,   &header.records,  &header.recordBytes,
                       &header.infoItems,   &header.infoWords, &header.infoText};
  for (size_t i = 0; i < std::size(fields); ++i) *fields[i] = static_cast<int32_t>(loadU32(bytes + 8 + 4 * i));
  return true;
}

bool recordsFit(const Header& header, const StarCatalogFormat& format) {
  return header.records >= 1 && header.records <= format.maxRecords && header.recordBytes == format.recordBytes;
}

bool inRange(int32_t value, int32_t high) { return value >= 0 && value <= high; }

}  // namespace

void StarCatalogFile::clear() {
  path_.clear();
  regions_.clear();
  infoStart_ = infoBytes_ = 0;
}

int StarCatalogFile::openFlat(const std::string& path, const StarCatalogFormat& format,
                              std::vector<uint8_t>& records) {
  clear();
  records.clear();
  BinaryFile file(path);
  if (!file.isOpen()) return 4;
  Header h{};
  if (!readHeader(file, format.magic, h) || h.version != format.version || h.regions != 0 || h.infoItems != 0 ||
      h.infoWords != 0 || h.infoText != 0 || !recordsFit(h, format) ||
      !file.readInto(records, static_cast<size_t>(h.records) * h.recordBytes)) {
    return 3;
  }
  return 0;
}

int StarCatalogFile::openRegional(const std::string& path, const StarCatalogFormat& format,
                                  std::vector<uint8_t>& records) {
  clear();
  records.clear();
  BinaryFile file(path);
  if (!file.isOpen()) return 4;
  Header h{};
  if (!readHeader(file, format.magic, h) || h.version != format.version) return 2;
  if (!recordsFit(h, format) || h.regions < kMinRegions || h.regions > kMaxRegions ||
      !inRange(h.infoItems, kMaxInfoItems) || !inRange(h.infoWords, kMaxInfoWords) ||
      !inRange(h.infoText, kMaxInfoText)) {
    return 3;
  }
  std::vector<uint8_t> regionBytes;
  if (!file.readInto(regionBytes, static_cast<size_t>(h.regions) * kRegionRecordBytes) ||
      !decodeRegions(regionBytes.data(), h.regions, h.records, regions_) ||
      !file.readInto(records, static_cast<size_t>(h.records) * h.recordBytes)) {
    clear();
    records.clear();
    return 3;
  }
  path_ = path;
  infoStart_ = kHeaderBytes + regionBytes.size() + records.size();
  const int64_t size = file.size();
  infoBytes_ = size > static_cast<int64_t>(infoStart_) ? static_cast<uint64_t>(size) - infoStart_ : 0;
  return 0;
}

bool StarCatalogFile::readInfo(uint32_t offset, uint32_t packedSize, std::vector<StarInfoItem>& items) const {
  const uint32_t words = (packedSize >> 8) & 0xFF, textBytes = packedSize >> 16;
  const uint64_t bytes = uint64_t{words} * 2 + textBytes;
  if (path_.empty() || words > kMaxInfoWords || textBytes > kMaxInfoText || offset > infoBytes_ ||
      bytes > infoBytes_ - offset) {
    return false;
  }
  BinaryFile file(path_);
  std::vector<uint8_t> record;
  if (!file.seek(infoStart_ + offset) || !file.readInto(record, bytes)) return false;
  items = StarInfoFile::decodeStored(record, words);
  return true;
}

}  // namespace celvaro
