// The byte layout of the star identification files, shared by the reader
// (star_id_database.cpp) and the writers that build the files. All values
// are little-endian; offsets are bytes from the start of the file.
//
// Main file: the 30-word header (star_id_database.h lists the words), then
// the sections in any order, each where its header word puts it:
//   name text      zero-terminated UTF-8 names
//   name offsets   uint16 per name: where it starts in the name text
//   name records   int32 per name: the record it leads to
//   name order     uint16 per name: name numbers in alphabetical order
//   catalogue      int32 per number n: the record of number n, -1 none
//   keys, records  uint32 key and int32 record per designation
//   records        64 bytes each (below)
//
// The names of a star are consecutive, its main name first; bytes 0-1 of
// its record hold the number of its first name and bytes 2-3 how many it
// has (0: none). Bytes 4-7, 39 and 44-47 are zero.
//
// Tycho file: magic "CLV_TIDX", version 1, T (1..15000), the entry count
// E; then T offsets and T counts, entry n of each for the first Tycho
// number n: the first entry (0..E) and the number of entries with that
// first number; then the E entries of 24 bytes: the packed Tycho number
// (int32), the record in the main file (int32, -1 none), right ascension
// and declination (double, radians).
#pragma once

#include <cstddef>
#include <cstdint>

namespace celvaro::starid {

constexpr char kMainMagic[] = "CLV_CIDX";
constexpr char kTychoMagic[] = "CLV_TIDX";
constexpr size_t kMagicBytes = 8;
constexpr uint32_t kVersion = 1;

// Words of the main header.
constexpr int kHeaderWords = 30;
constexpr int kWordVersion = 2;
constexpr int kWordRecordCount = 3;
constexpr int kWordRecordOffset = 4;
constexpr int kWordNameTextSize = 5;
constexpr int kWordNameTextOffset = 6;
constexpr int kWordNameCount = 7;
constexpr int kWordNameOffsets = 8;
constexpr int kWordNameRecords = 9;
constexpr int kWordNameOrder = 10;
// The catalogue tables from word 11 as (count, offset), in this code order.
constexpr int kWordCatalogues = 11;
constexpr int kCatalogueCodes[] = {3, 4, 2, 6, 7};
// The designation tables as (count, key offset, record offset).
constexpr int kWordBayer = 21;
constexpr int kWordFlamsteed = 24;
constexpr int kWordDurchmusterung = 27;

constexpr uint32_t kMaxNameText = 100000;
constexpr uint32_t kMaxNames = 10000;
// Name offsets are 16-bit: no name can start further into the text.
constexpr uint32_t kMaxNameStart = 0xFFFF;

// Fields of a 64-byte record.
constexpr size_t kRecordBytes = 64;
constexpr size_t kFieldFirstName = 0;
constexpr size_t kFieldNameCount = 2;
constexpr size_t kFieldHipparcos = 8;
constexpr size_t kFieldHd = 12;
constexpr size_t kFieldHr = 16;
constexpr size_t kFieldSao = 20;
constexpr size_t kFieldPpm = 24;
constexpr size_t kFieldTycho = 28;
constexpr size_t kFieldDmCatalogue = 32;
constexpr size_t kFieldDmZone = 33;
constexpr size_t kFieldDmNumber = 34;
constexpr size_t kFieldConstellation = 36;
constexpr size_t kFieldGreekLetter = 37;
constexpr size_t kFieldSuperscript = 38;
constexpr size_t kFieldFlamsteed = 40;
constexpr size_t kFieldRa = 48;
constexpr size_t kFieldDec = 56;

// The Tycho file.
constexpr int kTychoHeaderWords = 5;
constexpr int kTychoWordFirstCount = 3;
constexpr int kTychoWordEntryCount = 4;
constexpr uint32_t kMaxTychoFirst = 15000;
constexpr size_t kTychoEntryBytes = 24;

constexpr uint32_t bayerKey(int constellation, int greekLetter, int superscript) {
  return static_cast<uint32_t>(constellation & 0xFF) << 16 | static_cast<uint32_t>(greekLetter & 0xFF) << 8 |
         static_cast<uint32_t>(superscript & 0xFF);
}

constexpr uint32_t flamsteedKey(int constellation, int number) {
  return static_cast<uint32_t>(constellation & 0xFF) << 16 | static_cast<uint32_t>(number & 0xFFFF);
}

constexpr uint32_t durchmusterungKey(int catalogue, int zone, int number) {
  return static_cast<uint32_t>(catalogue & 0xFF) << 24 | static_cast<uint32_t>(zone & 0xFF) << 16 |
         static_cast<uint32_t>(number & 0xFFFF);
}

// Bits 18-31 the first, 4-17 the second, 0-3 the third number.
constexpr int32_t packTycho(int first, int second, int third) {
  return static_cast<int32_t>(static_cast<uint32_t>(first & 0x3FFF) << 18 |
                              static_cast<uint32_t>(second & 0x3FFF) << 4 | static_cast<uint32_t>(third & 0xF));
}

constexpr int tychoFirst(int32_t packed) { return static_cast<int>(static_cast<uint32_t>(packed) >> 18); }
constexpr int tychoSecond(int32_t packed) { return static_cast<int>(static_cast<uint32_t>(packed) >> 4 & 0x3FFF); }
constexpr int tychoThird(int32_t packed) { return static_cast<int>(packed & 0xF); }

}  // namespace celvaro::starid
