// The double-star catalog (CLV_WDSC): drawn with labels, searched by
// discoverer designations and asked for information.
#include "catalog_drive.h"
#include "fuzz_files.h"

using namespace celvaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SkyCatalogs catalogs = fuzz::catalogsFromParts(fuzz::inputText(data, size), {SkyCatalogs::kDoubleStarsPath});
  catalogs.loadDoubleStars();
  fuzz::drawCatalogCharts(catalogs, {200.98, 54.9});
  fuzz::queryCatalogs(catalogs, {"STF 1744", "SFA 43", "STF1744AB", "BU 1", "STT", "1"});
  return 0;
}
