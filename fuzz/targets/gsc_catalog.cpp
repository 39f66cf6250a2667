// The Guide Star Catalog: its header, a region file and, when given, the
// packed index and a packed zone come as the parts of one input; the
// region table is a fixed valid one with the first regions on the chart.
#include <string>

#include "catalog/star_buffer.h"
#include "catalog/star_data_gsc.h"
#include "fuzz_files.h"
#include "large_catalog_writers.h"
#include "star_data_drive.h"

using namespace celvaro;

namespace {

void writeRegionTable() {
  static const bool written = [] {
    fuzz::writeScratchFile("data/gsc.dat", gscRegionTable({{10, 3}, {10.2, 3}, {20, 3}}));
    return true;
  }();
  (void)written;
}

void writeOrRemove(std::string_view name, std::string_view bytes) {
  if (bytes.empty()) {
    fuzz::removeScratchFile(name);
  } else {
    fuzz::writeScratchFile(name, bytes);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  writeRegionTable();
  const auto parts = fuzz::splitParts(fuzz::inputText(data, size), 4);
  fuzz::writeScratchFile("data/gsc.hdr", parts[0]);
  fuzz::writeScratchFile("data/gsc/N0000/0001.gsc", parts[1]);
  writeOrRemove("data/gsc/gsc_idx.dat", parts[2]);
  fuzz::writeScratchFile("data/gsc/N0000.dat", parts[3]);
  StarBuffer buffer;
  StarDataGsc catalog(buffer);
  fuzz::driveStarData(catalog, "data/gsc.hdr", {10, 3});
  return 0;
}
