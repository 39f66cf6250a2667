// The star identification database behind the star search: proper names,
// Bayer letters, Flamsteed numbers, Durchmusterung, HD, Hipparcos, HR, SAO,
// PPM and Tycho numbers, each leading to a star record with its position.
//
// Main file (CLV_CIDX), little-endian: a header of 30 int32 words — magic
// "CLV_CIDX" (0-1), version 1 (2), record count (3), record area offset (4),
// name text size (5, at most 100000) and offset (6), name count (7,
// 0..10000), offsets of the name-offset array (8), the name-to-record array
// (9) and the alphabetical-order array (10), five catalogue tables as (entry
// count, offset) for codes 3 (11, 12), 4 (13, 14), 2 (15, 16), 6 (17, 18),
// 7 (19, 20), the Bayer table (count 21, keys 22, records 23), the
// Flamsteed table (24, 25, 26) and the Durchmusterung table (27, 28, 29).
// Tycho file (CLV_TIDX): magic, version 1, count T (1..15000), a second
// value, then per first Tycho number an offset and a count of its entries.
// The sections, the Tycho entries and how a record finds its names:
// star_id_format.h. Every offset and count read from a file is checked
// against the file: a bad one fails the lookups that need it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/mapped_file.h"

namespace celvaro {

// Catalogue codes of findByCatalogNumber.
enum StarCatalogCode : int {
  kCatalogHd = 2,
  kCatalogHipparcos = 3,
  kCatalogHr = 4,
  kCatalogUnused = 5,  // never finds anything
  kCatalogSao = 6,
  kCatalogPpm = 7,
};

// Durchmusterung catalogues 1..4: BD, CD, SD, CP.
enum Durchmusterung : int { kBonner = 1, kCordoba = 2, kSouthern = 3, kCapePhotographic = 4 };

// A star record (64 bytes in the file).
struct StarIdRecord {
  uint8_t lookup[8] = {};       // what the name lookup needs; not relied on
  int32_t hipparcos = 0;
  int32_t hd = 0;
  int32_t hr = 0;
  int32_t sao = 0;
  int32_t ppm = 0;
  int32_t tycho = 0;            // packed (first << 18 | second << 4 | third), 0 none
  uint8_t dmCatalogue = 0;      // 1..4, 0 none
  int8_t dmZone = 0;
  uint16_t dmNumber = 0;
  int8_t constellation = -1;    // 0..88, -1 none
  uint8_t greekLetter = 0xFF;   // 0..23; 24 and above none
  uint8_t superscript = 0;      // 0 none
  int32_t flamsteed = 0;        // 0 none
  double raRad = 0, decRad = 0;
};

constexpr int kStarIdRecordBytes = 64;

class StarIdDatabase {
 public:
  // 0, 1 bad magic or version, 3 a count out of range, 4 cannot open. The
  // Tycho file is read whatever the main file answered.
  int open(const std::string& mainPath, const std::string& tychoPath);

  // The first name in file order that is the whole text, else the first
  // that begins with it, ASCII case ignored; -1, also for an empty text.
  int findByName(const std::string& text) const;
  // A typed designation, blanks around it and the case of ASCII letters
  // ignored: a Bayer letter in any form readGreekLetter reads, with or
  // without its superscript ("alpha Cen", "alf Cen", "α Cen", "alf2 Cen",
  // "khi Cyg"), a Flamsteed number ("61 Cyg"), each with the
  // constellation's abbreviation or Latin name, or a catalogue number
  // ("HD 183912", "HR 7417", "HIP 95947", "SAO 87301", "PPM 81558",
  // "BD+38 3238", "TYC 3105-2070-1").
  bool findByDesignation(std::string_view text, StarIdRecord& record) const;
  // What a user types to find a star: a whole name, else a designation,
  // else the first name that begins with the text.
  bool findByText(std::string_view text, StarIdRecord& record) const;
  bool readRecord(int recordNumber, StarIdRecord& record) const;
  bool findByCatalogNumber(int code, int32_t number, StarIdRecord& record) const;
  // Superscript 0 takes the first key with that constellation and letter.
  bool findByBayer(int constellation, int greekLetter, int superscript, StarIdRecord& record) const;
  bool findByFlamsteed(int constellation, int number, StarIdRecord& record) const;
  bool findByDurchmusterung(int catalogue, int zone, int number, StarIdRecord& record) const;
  // A star only in the Tycho file gives a record of zeros but for the Tycho
  // number, the position, and "none" in the constellation and letter.
  bool findByTycho(int first, int second, int third, StarIdRecord& record) const;
  // Walks the names in alphabetical order from the first; false at the end.
  void restartNames() { nameCursor_ = 0; }
  bool nextName(std::string& name, int& recordNumber);
  // The information text, lines separated by CR LF.
  std::u16string describe(const StarIdRecord& record) const;

  int recordCount() const;
  int nameCount() const;

 private:
  // `count` items from byte `offset` of their file, checked to lie inside
  // it; a section that does not is left with no items.
  struct Section {
    size_t offset = 0;
    size_t count = 0;
  };
  struct KeyTable {
    Section keys, records;
  };

  int openMain(const std::string& path);
  void openNames();
  KeyTable keyTable(int firstWord) const;
  // The first name in file order that is the text, or begins with it.
  int findName(std::string_view text, bool whole) const;
  bool findByCatalogueText(std::string_view text, StarIdRecord& record) const;
  void openTycho(const std::string& path);
  // A name of the name arrays with its record; false when its offset or
  // record lies outside the file.
  bool readName(size_t number, std::string_view& text, int& recordNumber) const;
  // The first key equal to `key` in the bits of `mask` whose record reads.
  bool findKey(const KeyTable& table, uint32_t key, uint32_t mask, StarIdRecord& record) const;
  bool readTychoEntry(const uint8_t* entry, StarIdRecord& record) const;
  void appendNames(const StarIdRecord& record, std::u16string& text) const;

  MappedFile main_;
  MappedFile tycho_;
  Section records_, nameText_, nameOffsets_, nameRecords_, nameOrder_;
  Section catalogues_[5];  // in the header's order of codes 3, 4, 2, 6, 7
  KeyTable bayer_, flamsteed_, durchmusterung_;
  Section tychoOffsets_, tychoCounts_, tychoEntries_;
  int nameCursor_ = 0;
};

// "alfa" .. "omega" for the Greek letters 0..23; empty for others.
std::string_view greekLetterName(int letter);
// "Bonner Durchmusterung" .. "Cape Photographic Durchmusterung" and "BD" ..
// "CP" for the catalogues 1..4; empty for others.
std::string_view durchmusterungName(int catalogue);
std::string_view durchmusterungAbbreviation(int catalogue);

}  // namespace celvaro
