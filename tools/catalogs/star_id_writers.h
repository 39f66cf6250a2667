// Writers of the star identification files (catalog/star_id_format.h),
// shared by the catalog builder and the tests. Each returns the complete
// file as bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/star_id_database.h"

namespace celvaro {

struct StarIdName {
  std::string text;  // UTF-8
  int32_t record;
};

struct StarIdKey {
  uint32_t key;  // starid::bayerKey, flamsteedKey or durchmusterungKey
  int32_t record;
};

struct StarIdContents {
  // Bytes 0-3 of each record are set by the writer: its first name and how
  // many names follow it for the same record.
  std::vector<StarIdRecord> records;
  std::vector<StarIdName> names;  // in file order, a star's names together
  std::vector<StarIdKey> bayer, flamsteed, durchmusterung;  // in file order
};

// The main file. Each catalogue table runs up to the highest number the
// records hold; a number held twice leads to the first record with it.
// The alphabetical order ignores the case of ASCII letters. Empty when the
// names do not fit the format: more than 10000, more than 100000 bytes of
// text, or a name starting beyond the reach of a 16-bit offset.
std::string starIdBytes(const StarIdContents& contents);

struct StarIdTychoEntry {
  int32_t tycho;   // packed (starid::packTycho)
  int32_t record;  // -1: only in the Tycho file
  double raRad, decRad;
};

// The Tycho file; its table runs up to the highest first Tycho number, so
// a file without entries has one empty slot. Empty for a first number
// above 14999.
std::string starIdTychoBytes(std::vector<StarIdTychoEntry> entries);

}  // namespace celvaro
