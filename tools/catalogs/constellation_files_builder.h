// Builds the constellation figure and boundary files from d3-celestial.
#pragma once

#include <string>
#include <vector>

#include "catalog_writers.h"
#include "sky_sources.h"

namespace celvaro {

// The points of polylines as pen-coded records; boundaries (closed) are
// closed back to their first corner and densified so that no step exceeds
// `maxStepDeg` in right ascension or declination, which keeps edges of
// constant declination on their parallel when projected.
std::vector<PolylinePoint> polylinePoints(const std::vector<SourcePolyline>& polylines, bool closed,
                                          double maxStepDeg);

// Writes data/constlines.dat and data/constboundaries.dat, the boundary
// rings in the order of the fixed constellation list; false on failure.
bool buildConstellationFiles(const std::string& d3Data, const std::string& dataDirectory);

}  // namespace celvaro
