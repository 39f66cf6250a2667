// What a catalog file is, from its first bytes: binary catalogs begin with
// an 8-byte magic and a 32-bit version, the large catalogs with a text
// header whose first significant line is "type = <name>".
#pragma once

#include <string>
#include <vector>

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

// A file name given relative to the data directory, as a full path: the
// directory, "/" unless it ends with one, and the name without its leading
// separator ("\" counts as "/"); at most 1023 characters. For the program
// directory given to setDataOverride, the override directory's file is taken
// when it exists there.
std::string resolveDataPath(const std::string& directory, const std::string& relativePath);

// The paths a data file of `directory` is looked for at, in order: the
// override directory's (for the program directory only), then the
// directory's own.
std::vector<std::string> dataPathCandidates(const std::string& directory, const std::string& relativePath);

// Files of `overrideDir` stand in for those of `programDir`, file by file:
// the user's data directory over the installed data. Set once at start-up,
// before any data are read; an empty override turns it off.
void setDataOverride(const std::string& programDir, const std::string& overrideDir);

}  // namespace celvaro
