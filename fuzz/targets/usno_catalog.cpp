// USNO-A2.0: its header, the cell index and the zone file of declinations
// 0 to 7.5 degrees come as the parts of one input.
#include "catalog/star_buffer.h"
#include "catalog/star_data_usno.h"
#include "fuzz_files.h"
#include "star_data_drive.h"

using namespace celvaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto parts = fuzz::splitParts(fuzz::inputText(data, size), 3);
  fuzz::writeScratchFile("data/usnoa2.hdr", parts[0]);
  fuzz::writeScratchFile("data/usnoa2.dat", parts[1]);
  fuzz::writeScratchFile("data/usnoa2/zone0900.cat", parts[2]);
  StarBuffer buffer;
  StarDataUSNO catalog(buffer);
  fuzz::driveStarData(catalog, "data/usnoa2.hdr", {3.5, 3});
  return 0;
}
