#include "catalog/deepsky_info_file.h"

#include <cstring>

#include "catalog/deepsky_data.h"
#include "model/text_ids.h"
#include "platform/binary_file.h"

namespace celvaro {
namespace {

constexpr const char* kEnglishCaptions[kDeepskyInfoFieldCount] = {
    "?",
    "NGC number",
    "IC number",
    "Messier number",
    "Caldwell number",
    "Object type",
    "Blue magnitude (B)",
    "Visual magnitude (V)",
    "Major axis (arcmin)",
    "Minor axis (arcmin)",
    "Position angle (degrees)",
    "Morphological type",
    "Distance",
    "Redshift (z)",
    "PGC number",
    "UGC number",
    "Other designations",
    "Common name",
};

constexpr size_t kHeaderBytes = 20;

static_assert(kDeepskyKindCount == text_id::kDeepskyKindLast - text_id::kDeepskyKindFirst + 1);

}  // namespace

StarInfoCaption deepskyInfoCaption(int field) {
  if (field <= 0 || field >= kDeepskyInfoFieldCount) return {0, kEnglishCaptions[0]};
  return {text_id::kDeepskyInfoTable + field, kEnglishCaptions[field]};
}

StarInfoCaption deepskyKindCaption(std::string_view english) {
  for (int kind = 0; kind < kDeepskyKindCount; ++kind) {
    if (english == kDeepskyKindNames[kind]) return {text_id::kDeepskyKindFirst + kind, kDeepskyKindNames[kind]};
  }
  return {0, nullptr};
}

bool DeepskyInfoFile::read(int code, int32_t number, std::vector<StarInfoItem>& items) const {
  BinaryFile file(path_);
  uint8_t header[kHeaderBytes];
  if (!file.read(header, sizeof header) || std::memcmp(header, "CLV_IDX_", 8) != 0 || loadU32(header + 8) != 1) {
    return false;
  }
  const int32_t ngc = static_cast<int32_t>(loadU32(header + 12)), ic = static_cast<int32_t>(loadU32(header + 16));
  if (ngc < kMinEntries || ngc > kMaxEntries || ic < kMinEntries || ic > kMaxEntries) return false;
  const int32_t entries = code == kIdNgc ? ngc : code == kIdIc ? ic : 0;
  if (number < 0 || number >= entries) return false;
  const uint64_t entry = code == kIdNgc ? number : uint64_t{static_cast<uint32_t>(ngc)} + number;
  uint8_t index[8];
  if (!file.seek(kHeaderBytes + 8 * entry) || !file.read(index, sizeof index)) return false;
  const uint32_t offset = loadU32(index), packed = loadU32(index + 4);
  const size_t wordCount = (packed >> 8) & 0xFF, textBytes = packed >> 16;
  if (wordCount > kMaxWords || textBytes > kMaxTextBytes) return false;
  std::vector<uint8_t> record;
  const uint64_t area = kHeaderBytes + 8 * (uint64_t{static_cast<uint32_t>(ngc)} + static_cast<uint32_t>(ic));
  if (!file.seek(area + offset) || !file.readInto(record, wordCount * 2 + textBytes)) return false;
  items = StarInfoFile::decodeStored(record, wordCount);
  return true;
}

}  // namespace celvaro
