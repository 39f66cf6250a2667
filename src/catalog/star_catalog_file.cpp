#include "catalog/star_catalog_file.h"

#include <cstring>

#include "platform/binary_file.h"

namespace celvaro {
namespace {

struct Header {
  int32_t version, regions, records, recordBytes, infoItems, infoWords, infoText;
};

// The file mapped into `records`, and its header: false when the file is
// shorter than a header or has another magic.
bool mapHeader(const std::string& path, const char* magic, RecordBytes& records, Header& header) {
  records.file = MappedFile(path);
  const std::span<const uint8_t> bytes = records.file.bytes();
  if (bytes.size() < StarCatalogFile::kHeaderBytes || std::memcmp(bytes.data(), magic, 8) != 0) return false;
  int32_t* fields[] = {&header.version,     &header.regions,   &header.records,  &header.recordBytes,
                       &header.infoItems,   &header.infoWords, &header.infoText};
  for (size_t i = 0; i < std::size(fields); ++i) *fields[i] = static_cast<int32_t>(loadU32(bytes.data() + 8 + 4 * i));
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

int StarCatalogFile::openFlat(const std::string& path, const StarCatalogFormat& format, RecordBytes& records) {
  clear();
  Header h{};
  const bool read = mapHeader(path, format.magic, records, h);
  if (!records.file.isOpen()) return 4;
  const size_t size = static_cast<size_t>(h.records) * h.recordBytes;
  if (!read || h.version != format.version || h.regions != 0 || h.infoItems != 0 || h.infoWords != 0 ||
      h.infoText != 0 || !recordsFit(h, format) || records.file.size() - kHeaderBytes < size) {
    records = {};
    return 3;
  }
  records.bytes = records.file.bytes().subspan(kHeaderBytes, size);
  return 0;
}

int StarCatalogFile::openRegional(const std::string& path, const StarCatalogFormat& format, RecordBytes& records) {
  clear();
  Header h{};
  const bool read = mapHeader(path, format.magic, records, h);
  if (!records.file.isOpen()) return 4;
  if (!read || h.version != format.version) {
    records = {};
    return 2;
  }
  const size_t regionBytes = static_cast<size_t>(h.regions) * kRegionRecordBytes;
  const size_t recordBytes = static_cast<size_t>(h.records) * h.recordBytes;
  const std::span<const uint8_t> file = records.file.bytes();
  if (!recordsFit(h, format) || h.regions < kMinRegions || h.regions > kMaxRegions ||
      !inRange(h.infoItems, kMaxInfoItems) || !inRange(h.infoWords, kMaxInfoWords) ||
      !inRange(h.infoText, kMaxInfoText) || file.size() - kHeaderBytes < regionBytes + recordBytes ||
      !decodeRegions(file.data() + kHeaderBytes, h.regions, h.records, regions_)) {
    clear();
    records = {};
    return 3;
  }
  records.bytes = file.subspan(kHeaderBytes + regionBytes, recordBytes);
  path_ = path;
  infoStart_ = kHeaderBytes + regionBytes + recordBytes;
  infoBytes_ = file.size() - infoStart_;
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
