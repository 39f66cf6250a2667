// The deep-sky catalog (CLV_DSCN) and its information file (CLV_IDX_),
// the two parts of one input: drawn, searched and asked for information.
#include "catalog_drive.h"
#include "fuzz_files.h"

using namespace celvaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SkyCatalogs catalogs = fuzz::catalogsFromParts(fuzz::inputText(data, size), {SkyCatalogs::kDeepskyPath, SkyCatalogs::kDeepskyInfoPath});
  catalogs.loadDeepsky();
  fuzz::drawCatalogCharts(catalogs, {10.7, 41.3});
  fuzz::queryCatalogs(catalogs, {"M 31", "NGC 224", "IC 434", "UGC 454", "PGC 2557", "Cr 399", "M31", "NGC"});
  return 0;
}
