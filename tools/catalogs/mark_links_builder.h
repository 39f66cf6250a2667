// Links the marks of the built files (star names, double and variable
// stars) to the main catalog's fast stars they belong to, so that the
// program moves them with their stars without matching them at each start.
#pragma once

#include <string>

namespace celvaro {

// Writes data/star_marks.dat from the motion, label, double-star and
// variable-star files already in the data directory; false on failure.
bool buildMarkLinkFile(const std::string& dataDirectory);

}  // namespace celvaro
