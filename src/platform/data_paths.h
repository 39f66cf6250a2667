// Where the program's data files are read from: a name relative to a data
// directory made a full path, with the user's data standing in for the
// installed ones file by file.
#pragma once

#include <string>
#include <vector>

namespace celvaro {

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
