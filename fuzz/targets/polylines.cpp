// The constellation figures and boundaries, polyline files of the same
// layout, the two parts of one input: read and drawn.
#include "catalog_drive.h"
#include "fuzz_files.h"

using namespace celvaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SkyCatalogs catalogs = fuzz::catalogsFromParts(fuzz::inputText(data, size), {SkyCatalogs::kConstellationLinesPath, SkyCatalogs::kConstellationBoundariesPath});
  catalogs.loadConstellations();
  fuzz::drawCatalogCharts(catalogs, {83.8, -5.4});
  return 0;
}
