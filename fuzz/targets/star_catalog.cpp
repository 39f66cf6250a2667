// The main star catalog (CLV_STD1): opened, drawn and queried.
#include "catalog/star_data_simple.h"
#include "fuzz_files.h"
#include "star_data_drive.h"

using namespace celvaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::writeScratchFile("stars.dat", fuzz::inputText(data, size));
  StarDataSimple catalog;
  fuzz::driveStarData(catalog, "stars.dat", {80, 10});
  return 0;
}
