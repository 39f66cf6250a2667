// Which marks (star names, double and variable stars) belong to the main
// catalog's fast stars, as the data builder matched them: a mark moves with
// its star, every other mark keeps its J2000 place.
//
// The mark file (CLV_SMRK, data/star_marks.dat), little-endian: the magic
// "CLV_SMRK" and the version 1 as a 32-bit number, then for each kind of
// mark in MarkLinks::Kind order the number of records its file holds and
// the number of links, 32-bit each, and that many links of three signed
// 32-bit numbers: the record's index in its file, the Hipparcos number of
// its star and the star's J2000 declination in milliarcseconds.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace celvaro {

class MarkLinks {
 public:
  static constexpr const char* kPath = "data/star_marks.dat";
  static constexpr size_t kHeaderBytes = 12, kKindBytes = 8, kLinkBytes = 12;
  enum Kind { kNames, kDoubleStars, kVariableStars, kKindCount };

  struct Link {
    uint32_t record;
    int32_t hipparcos;
    double starDecRad;
  };
  struct Marks {
    uint32_t recordCount = 0;  // of the file the links were made for
    std::vector<Link> links;
  };

  // Reads the mark file; false, with no links, when it cannot be read or
  // is not one whole.
  bool load(const std::string& path);
  const Marks& of(Kind kind) const { return kinds_[kind]; }

 private:
  std::array<Marks, kKindCount> kinds_;
};

}  // namespace celvaro
