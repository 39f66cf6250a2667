// The variable-star catalog (CLV_GCVS): drawn with labels that carry type
// and range, searched by designations and asked for information.
#include "catalog_drive.h"
#include "fuzz_files.h"

using namespace celvaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SkyCatalogs catalogs = fuzz::catalogsFromParts(fuzz::inputText(data, size), {SkyCatalogs::kVariableStarsPath});
  catalogs.loadVariableStars();
  fuzz::drawCatalogCharts(catalogs, {34.8, -3.0});
  fuzz::queryCatalogs(catalogs, {"omi Cet", "del Cep", "V1500 Cyg", "R And", "RR Lyr", "V 0001 Aql"});
  return 0;
}
