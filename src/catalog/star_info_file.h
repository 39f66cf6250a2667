// Per-star information for the object-information window, from the CLV_SIDX
// file (data/hipparcos_data.dat), entry number = Hipparcos number.
//
//   offset  size  field
//   0       8     magic "CLV_SIDX"
//   8       4     version, 1
//   12      4     entry count E, 100..130000
//   16      8 E   per entry: record offset from the start of the record area,
//                 packed size: bits 0-7 items, 8-15 16-bit words, 16-31 text bytes (at most 2048)
//   16+8E   -     records: the words, then the text bytes
//
// Each item of a record is a word (low byte field number, high byte value
// type) and the words of its value; the field number indexes the captions
// below.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace celvaro {

// Value types of the items.
enum StarInfoValueType : uint8_t {
  kInfoCharacter = 1,  // 1 word: one character
  kInfoWord = 2,       // 1 word: decimal
  kInfoInt32 = 3,      // 2 words (low, high): decimal
  kInfoWordTenths = 4, // 1 word, one decimal
  kInfoTenths = 5,     // 2 words, one decimal
  kInfoHundredths = 6, // 2 words, two decimals
  kInfoThousandths = 7,
  kInfoTenThousandths = 8,
  kInfoText = 9,       // 2 words, the first the offset of a zero-terminated text
};

// The fields of a star's information, with their caption text ids.
enum StarInfoField : uint8_t {
  kInfoHipparcos = 1,
  kInfoMagnitude = 2,
  kInfoColourIndex = 3,
  kInfoSpectralType = 4,
  kInfoParallax = 5,
  kInfoDistance = 6,
  kInfoProperMotionRa = 7,
  kInfoProperMotionDec = 8,
  kInfoHd = 9,
  kInfoHr = 10,
  kInfoSao = 11,
  kInfoProperName = 12,
  kInfoFieldCount = 13,
};

struct StarInfoCaption {
  int textId;
  const char* english;
};
// The caption of a field number; text id 0 and "?" for unknown fields.
StarInfoCaption starInfoCaption(int field);

struct StarInfoItem {
  int field;
  std::string text;
  bool operator==(const StarInfoItem&) const = default;
};

class StarInfoFile {
 public:
  static constexpr uint32_t kMinEntries = 100, kMaxEntries = 130000;
  static constexpr uint32_t kMaxTextBytes = 2048;

  void setPath(const std::string& path) { path_ = path; }
  // The decoded items of an entry; false when there is no such entry or
  // the file does not hold it.
  bool read(int32_t number, std::vector<StarInfoItem>& items) const;

  // Decodes a record's words and text bytes into items.
  static std::vector<StarInfoItem> decode(const uint16_t* words, size_t wordCount, const char* text,
                                          size_t textBytes);
  // Decodes a record as stored: `wordCount` little-endian words, then the
  // text bytes, `bytes` holding both.
  static std::vector<StarInfoItem> decodeStored(const std::vector<uint8_t>& bytes, size_t wordCount);

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace celvaro
