// Drives the sky catalogs read from the scratch directory as the program
// does: every layer of charts of several fields drawn through the chart
// renderer with every label switched on, then the searches and object
// information a user reaches by typing or clicking.
#pragma once

#include <initializer_list>
#include <string_view>

#include "catalog/sky_catalogs.h"
#include "star_data_drive.h"

namespace celvaro::fuzz {

// Writes the input's parts (one part per path, see splitParts) to the paths
// under the scratch directory and gives catalogs that read from there.
SkyCatalogs catalogsFromParts(std::string_view input, std::initializer_list<const char*> paths);

void drawCatalogCharts(SkyCatalogs& catalogs, SkyFocus focus);

// Searches by the designations given and reads the information of the first
// objects of the deep-sky, double- and variable-star catalogs.
void queryCatalogs(SkyCatalogs& catalogs, std::initializer_list<const char*> designations);

}  // namespace celvaro::fuzz
