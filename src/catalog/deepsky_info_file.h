// The facts of NGC and IC objects for the object-information window, from
// the CLV_IDX_ file (data/deepsky_ngcicdata.dat), little-endian:
//
//   offset      size      field
//   0           8         magic "CLV_IDX_"
//   8           4         version, 1
//   12          4         NGC entry count G, 100..20000
//   16          4         IC entry count H, 100..20000
//   20          8 (G+H)   per entry: record offset from the start of the record
//                         area; packed size: bits 0-7 items, 8-15 16-bit words
//                         (at most 192), 16-31 text bytes (at most 1024)
//   20+8(G+H)   -         records: the words, then the text bytes
//
// NGC n is entry n, IC n entry G + n. The records use the item encoding of
// the star information file (star_info_file.h) with the fields below.
#pragma once

#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/star_info_file.h"

namespace celvaro {

enum DeepskyInfoField : uint8_t {
  kDeepskyInfoNgc = 1,
  kDeepskyInfoIc = 2,
  kDeepskyInfoMessier = 3,
  kDeepskyInfoCaldwell = 4,
  kDeepskyInfoType = 5,              // text
  kDeepskyInfoBlueMagnitude = 6,
  kDeepskyInfoVisualMagnitude = 7,
  kDeepskyInfoMajorAxis = 8,         // arcminutes
  kDeepskyInfoMinorAxis = 9,
  kDeepskyInfoPositionAngle = 10,    // degrees from north through east
  kDeepskyInfoMorphology = 11,       // text
  kDeepskyInfoDistance = 12,         // thousands of light years, one decimal
  kDeepskyInfoRedshift = 13,
  kDeepskyInfoPgc = 14,
  kDeepskyInfoUgc = 15,
  kDeepskyInfoOtherIds = 16,         // text
  kDeepskyInfoName = 17,             // text, English
  kDeepskyInfoFieldCount = 18,
};

// The caption of a field: language text 12200 + field, with the English
// text for a language file that lacks it; text id 0 and "?" for unknown
// fields.
StarInfoCaption deepskyInfoCaption(int field);

// The kinds of object the type field names, in English as the file holds
// them, by the deep-sky source's kind number; the last is "unknown".
inline constexpr const char* kDeepskyKindNames[] = {
    "galaxy", "active galaxy", "radio galaxy", "interacting galaxy", "quasar",
    "star cluster", "open star cluster", "globular star cluster", "stellar association", "star cloud",
    "nebula", "planetary nebula", "dark nebula", "reflection nebula", "bipolar nebula",
    "emission nebula", "cluster with nebulosity", "HII region", "supernova remnant", "interstellar matter",
    "emission object", "BL Lacertae object", "blazar", "molecular cloud", "young stellar object",
    "possible quasar", "possible planetary nebula", "protoplanetary nebula", "star", "symbiotic star",
    "emission-line star", "supernova candidate", "supernova remnant candidate", "cluster of galaxies",
    "part of a galaxy", "region of the sky", "unknown"};
inline constexpr int kDeepskyKindCount = static_cast<int>(std::size(kDeepskyKindNames));

// The name of a kind in the language texts: text 12230 + its number, the
// English name for a language file that lacks it; text id 0 and the name
// itself for a name that is not one of the kinds.
StarInfoCaption deepskyKindCaption(std::string_view english);

class DeepskyInfoFile {
 public:
  static constexpr int32_t kMinEntries = 100, kMaxEntries = 20000;
  static constexpr uint32_t kMaxWords = 192, kMaxTextBytes = 1024;

  void setPath(const std::string& path) { path_ = path; }
  // The decoded items of NGC (code 2) or IC (code 3) object `number`;
  // false when the file does not hold that entry in full.
  bool read(int code, int32_t number, std::vector<StarInfoItem>& items) const;

 private:
  std::string path_;
};

}  // namespace celvaro
