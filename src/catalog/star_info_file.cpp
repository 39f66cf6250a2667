#include "catalog/star_info_file.h"

#include <cstring>

#include "astro/text_forms.h"
#include "model/text_ids.h"
#include "platform/binary_file.h"

namespace celvaro {
namespace {

// The English captions stand in when the language file lacks a text.
constexpr const char* kEnglishCaptions[kInfoFieldCount] = {
    "?",
    "Hipparcos number",
    "Visual magnitude",
    "Colour index (B-V)",
    "Spectral type",
    "Parallax (mas)",
    "Distance (light years)",
    "Proper motion in RA (mas/yr)",
    "Proper motion in Dec (mas/yr)",
    "HD number",
    "HR number",
    "SAO number",
    "Proper name",
};

// The number of value words that follow an item word of a type.
size_t valueWords(uint8_t type) {
  switch (type) {
    case kInfoCharacter: case kInfoWord: case kInfoWordTenths: return 1;
    case kInfoInt32: case kInfoTenths: case kInfoHundredths: case kInfoThousandths:
    case kInfoTenThousandths: case kInfoText: return 2;
    default: return 0;
  }
}

std::string valueText(uint8_t type, const uint16_t* value, const char* text, size_t textBytes) {
  // A one-word item may end the record: its second word is then not there.
  const bool twoWords = valueWords(type) == 2;
  const int32_t wide = twoWords ? static_cast<int32_t>(value[0] | (static_cast<uint32_t>(value[1]) << 16)) : 0;
  switch (type) {
    case kInfoCharacter: return std::string(1, static_cast<char>(value[0] & 0xFF));
    case kInfoWord: return std::to_string(value[0]);
    case kInfoInt32: return std::to_string(wide);
    case kInfoWordTenths: return showFixed(static_cast<int16_t>(value[0]), 1);
    case kInfoTenths: return showFixed(wide, 1);
    case kInfoHundredths: return showFixed(wide, 2);
    case kInfoThousandths: return showFixed(wide, 3);
    case kInfoTenThousandths: return showFixed(wide, 4);
    case kInfoText: {
      // A text offset outside the record's text, or a text without its end, gives nothing.
      if (value[0] >= textBytes) return {};
      const char* start = text + value[0];
      const void* end = std::memchr(start, '\0', textBytes - value[0]);
      return end ? std::string(start, static_cast<const char*>(end)) : std::string();
    }
    default: return {};
  }
}

}  // namespace

StarInfoCaption starInfoCaption(int field) {
  if (field <= 0 || field >= kInfoFieldCount) return {0, kEnglishCaptions[0]};
  return {text_id::kStarInfoCaptionFirst + field - 1, kEnglishCaptions[field]};
}

std::vector<StarInfoItem> StarInfoFile::decode(const uint16_t* words, size_t wordCount, const char* text,
                                               size_t textBytes) {
  std::vector<StarInfoItem> items;
  for (size_t i = 0; i < wordCount;) {
    const uint8_t field = words[i] & 0xFF, type = words[i] >> 8;
    const size_t n = valueWords(type);
    if (i + 1 + n > wordCount) break;  // an item cut short by the record's end
    if (n > 0) items.push_back({field, valueText(type, words + i + 1, text, textBytes)});
    i += 1 + n;
  }
  return items;
}

bool StarInfoFile::read(int32_t number, std::vector<StarInfoItem>& items) const {
  BinaryFile file(path_);
  uint8_t header[16];
  if (!file.read(header, sizeof header) || std::memcmp(header, "CLV_SIDX", 8) != 0 || loadU32(header + 8) != 1) {
    return false;
  }
  const uint32_t entries = loadU32(header + 12);
  if (entries < kMinEntries || entries > kMaxEntries || number < 0 || static_cast<uint32_t>(number) >= entries) {
    return false;
  }
  std::vector<uint8_t> index;
  if (!file.readInto(index, entries * 8)) return false;
  const uint32_t offset = loadU32(&index[number * 8]), packed = loadU32(&index[number * 8 + 4]);
  const size_t wordCount = (packed >> 8) & 0xFF, textBytes = packed >> 16;
  if (textBytes > kMaxTextBytes) return false;
  std::vector<uint8_t> record;
  if (!file.seek(16 + uint64_t{entries} * 8 + offset) || !file.readInto(record, wordCount * 2 + textBytes)) {
    return false;
  }
  items = decodeStored(record, wordCount);
  return true;
}

std::vector<StarInfoItem> StarInfoFile::decodeStored(const std::vector<uint8_t>& bytes, size_t wordCount) {
  if (bytes.size() < wordCount * 2) return {};
  std::vector<uint16_t> words(wordCount);
  for (size_t i = 0; i < wordCount; ++i) words[i] = loadU16(&bytes[2 * i]);
  return decode(words.data(), wordCount, reinterpret_cast<const char*>(bytes.data()) + wordCount * 2,
                bytes.size() - wordCount * 2);
}

}  // namespace celvaro
