// Drives the sky catalogs read from the scratch directory as the program
// does: every layer of charts of several fields drawn through the chart
// renderer with every label switched on, then the searches and object
// information a user reaches by typing or clicking.
#pragma once

#include "catalog/sky_catalogs.h"
#include "star_data_drive.h"

namespace celvaro::fuzz {

// Catalogs that read from the scratch directory.
SkyCatalogs scratchCatalogs();

void drawCatalogCharts(SkyCatalogs& catalogs, SkyFocus focus);

// Searches by the designations given and reads the information of the first
// objects of the deep-sky, double- and variable-star catalogs.
void queryCatalogs(SkyCatalogs& catalogs, std::initializer_list<const char*> designations);

}  // namespace celvaro::fuzz
