// The segmented deep star catalog: its header, segment index and first
// segment files come as the parts of one input.
#include <string>

#include "catalog/star_buffer.h"
#include "catalog/star_data_segmented.h"
#include "fuzz_files.h"
#include "star_data_drive.h"

using namespace celvaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr int kSegmentFiles = 3;
  const auto parts = fuzz::splitParts(fuzz::inputText(data, size), 2 + kSegmentFiles);
  const std::string base = fuzz::scratchDirectory() + "/deep";
  fuzz::writeScratchFile("deep.hdr", parts[0]);
  fuzz::writeScratchFile("deep_idx.dat", parts[1]);
  for (int i = 0; i < kSegmentFiles; ++i) {
    const std::string path = StarDataSegmented::segmentPath(base, i);
    fuzz::writeScratchFile(path.substr(fuzz::scratchDirectory().size() + 1), parts[2 + i]);
  }
  StarBuffer buffer;
  StarDataSegmented catalog(buffer);
  fuzz::driveStarData(catalog, "deep.hdr", {56.75, 24.1});
  return 0;
}
