// The star label file (CLV_STLS): read and drawn with every label part.
#include "catalog_drive.h"
#include "fuzz_files.h"

using namespace celvaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SkyCatalogs catalogs = fuzz::catalogsFromParts(fuzz::inputText(data, size), {SkyCatalogs::kStarLabelsPath});
  if (catalogs.openStarLabels() != 0) return 0;
  fuzz::drawCatalogCharts(catalogs, {279.2, 38.8});
  for (size_t i = 0; i < catalogs.starLabels().size() && i < 64; ++i) catalogs.starLabels().name(i);
  return 0;
}
