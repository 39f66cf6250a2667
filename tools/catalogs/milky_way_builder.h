// Builds the Milky Way file from d3-celestial's outline (mw.json: one
// feature per brightness level, ol1 the faintest to ol5, each a
// MultiPolygon whose area is that of its rings by the even-odd rule).
#pragma once

#include <string>
#include <vector>

#include "milky_way_writer.h"

namespace celvaro {

// The levels of the outline file in the order of their ids; every ring of
// a level's polygons, its repeated closing point left out, turned to keep
// the level's area on its left; rings repeating one another in pairs left
// out. False when the file cannot be read or holds no ring.
bool readMilkyWayOutline(const std::string& path, std::vector<MilkyWayLevel>& levels);

// Writes data/milkyway.dat; false on failure.
bool buildMilkyWayFile(const std::string& d3Data, const std::string& dataDirectory);

}  // namespace celvaro
