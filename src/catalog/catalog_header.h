// The text header file of a large star catalog: lines that are empty, hold
// one character or begin with "#" are ignored; every other line is a key,
// optional blanks, "=", optional blanks and a value, which ends at the
// first character below "!" and holds at most 1023 characters.
//
//   type = s2             (s2 segmented, s_gsc GSC, s_usnoa USNO-A2.0)
//   segments = 412        (segmented: the number of segments)
//   gscdir = /srv/gsc     (GSC: the directory of the region files)
//   usnodir = /srv/usnoa2 (USNO: the directory of the zone files)
#pragma once

#include <map>
#include <string>

namespace celvaro {

// The header's keys and values; false when the file cannot be opened.
bool readCatalogHeader(const std::string& path, std::map<std::string, std::string>& keys);

// The directory of a catalog's files: the one a header names (an absolute
// path as it is, a relative one under the application directory) when it
// exists, else the default one under the application directory when that
// exists, else "".
std::string catalogDirectory(const std::string& applicationDirectory, const std::string& named,
                             const std::string& defaultRelative);

}  // namespace celvaro
