// The contents of a CLV_DSCN deep-sky catalog file, read whole and checked
// so that nothing it hands out points outside what the file holds.
//
// Header, 60 bytes, fifteen little-endian signed 32-bit words:
//
//   offset  field                              version 3     version 4
//   0       magic "CLV_DSCN" (8 bytes)
//   8       version                            3             4
//   12..24  sizes of the name lists 1..4       sum 1..2000   sum 1..2000
//   28      named-object count O               1..2000       0..2000
//   32      named-object record size           52            52
//   36      name text size W, 16-bit units     0 or more     0 or more
//   40      region count R                     0             1..100
//   44      object count N                     1..100000     1..100000
//   48      object record size                 48            48
//   52      identifier word count I            1..400000     1..400000
//   56      extra text size X, bytes           1..100000     0..100000
//
// The sections follow without gaps: the name-list index (one int32
// named-object number per entry, list 1 first), O named-object records,
// W name-text units, (version 4) R region records (sky_regions.h), N object
// records, I identifier words, X extra-text bytes.
//
// Named-object record, 52 bytes: object number; first identifier code and
// number; second identifier code and number (codes 1 Messier, 2 NGC, 3 IC,
// 0 none); then per language 1..4 (Hungarian, English, German, Romanian)
// the name's offset in 16-bit units and its length (0 or less: none).
//
// Object record, 48 bytes: 0 type (u16), 2 level (u16), 4 magnitude in
// hundredths (i16), 8 right ascension and 16 declination (doubles,
// radians), 24 major and 28 minor axis (i32, hundredths of an arcminute),
// 32 position angle (u16, degrees from north through east), 36 first
// identifier word (i32), 40 identifier item count (i32); bytes 6, 34 and 44
// are not read.
//
// Identifier items: a head word (low byte the code, high byte the number of
// payload words that follow) and its payload; see DeepskyIdCode.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/deepsky_data.h"
#include "catalog/sky_regions.h"

namespace celvaro {


enum DeepskyOpenResult : int {
  kDeepskyOpened = 0,
  kDeepskyWrongMagic = 1,     // or wrong version
  kDeepskyBadHeader = 3,      // a value out of range, or a file shorter than its header says
  kDeepskyCannotOpen = 4,
};

constexpr int kDeepskyHeaderBytes = 60;
constexpr int kNamedObjectBytes = 52;
constexpr int kDeepskyObjectBytes = 48;

// One identifier item with its payload: the payload word for codes 1 to 4
// and 254, the 32-bit value of the low and high words for codes 5 and 255.
struct DeepskyIdItem {
  int code;
  uint32_t value;
};

class DeepskyFile {
 public:
  // Reads a file of the given version (3 or 4) from its bytes. Anything
  // but kDeepskyOpened leaves the contents empty.
  int read(std::span<const uint8_t> file, int version);
  void clear();

  const std::vector<DeepskyObject>& objects() const { return objects_; }
  const std::vector<SkyRegion>& regions() const { return regions_; }
  // The first index position of a name list 1..4 and its size.
  int listStart(int list) const;
  int listSize(int list) const;
  // The named object an index position refers to; null when the position,
  // its entry or the entry's object number lies outside the file.
  const NamedObject* namedAt(int position) const;
  const NamedObject* named(int64_t number) const;
  // The name in language 1..4; empty when it has none there or when its
  // offset and length reach outside the name text.
  std::u16string_view name(const NamedObject& object, int language) const;
  // The zero-terminated text at a byte offset of the extra text; empty
  // when the offset lies outside or the text runs to the end unterminated.
  std::string_view extraText(uint32_t offset) const;

  // Calls visit(DeepskyIdItem) for each identifier item of the object until
  // it returns true. The walk stops where an item would reach past the
  // identifier words; unknown codes, and known codes with too short a
  // payload, are passed over.
  template <typename Visit>
  void forEachId(const DeepskyObject& object, Visit visit) const {
    const size_t words = idWords_.size();
    if (object.firstIdWord < 0) return;
    size_t at = static_cast<size_t>(object.firstIdWord);
    for (int32_t item = 0; item < object.idItemCount && at < words; ++item) {
      const int code = idWords_[at] & 0xFF, payload = idWords_[at] >> 8;
      if (at + 1 + payload > words) return;
      DeepskyIdItem id{code, 0};
      if (decodeId(&idWords_[at + 1], payload, id) && visit(id)) return;
      at += 1 + payload;
    }
  }

 private:
  struct Header;
  static bool decodeId(const uint16_t* payload, int payloadWords, DeepskyIdItem& id);
  bool readSections(std::span<const uint8_t> sections, const Header& header);

  int32_t listSizes_[4] = {};
  std::vector<int32_t> nameIndex_;
  std::vector<NamedObject> named_;
  std::u16string nameText_;
  std::vector<SkyRegion> regions_;
  std::vector<DeepskyObject> objects_;
  std::vector<uint16_t> idWords_;
  std::string extraText_;
};

}  // namespace celvaro
