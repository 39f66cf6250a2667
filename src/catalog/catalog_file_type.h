// What a catalog file is, from its first bytes: binary catalogs begin with
// an 8-byte magic and a 32-bit version, the large catalogs with a text
// header whose first significant line is "type = <name>".
#pragma once

#include <string>

namespace celvaro {

enum CatalogFileType : int {
  kFileCannotOpen = -1,
  kFileUnknown = 0,
  kFileStarsSimple = 1,      // CLV_STD1, or text type s1
  kFileStarsSegmented = 2,   // text type s2
  kFileStarsGsc = 3,         // text type s_gsc
  kFileStarsUsnoA = 4,       // text type s_usnoa
  kFileStarsUsnoSa = 5,      // text type s_usnosa (no reader)
  kFileVariablesV3 = 7,      // CLV_GCVS version 3
  kFileVariablesV4 = 8,      // CLV_GCVS version 4 (not loaded)
  kFileVariablesV5 = 9,      // CLV_GCVS version 5
  kFileDoublesV3 = 10,       // CLV_WDSC version 3
  kFileDoublesV4 = 11,       // CLV_WDSC version 4
  kFileDeepskyV3 = 12,       // CLV_DSCN version 3
  kFileDeepskyV4 = 13,       // CLV_DSCN version 4
};

int detectCatalogFileType(const std::string& path);

}  // namespace celvaro
