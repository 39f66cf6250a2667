// The star information file (CLV_SIDX): the entries of the first and of
// some far star numbers read and decoded; and the same bytes as a motion
// file (CLV_SPMO), its stars placed at an epoch, and as a mark file (CLV_SMRK).
#include <vector>

#include "catalog/mark_links.h"
#include "catalog/proper_motions.h"
#include "catalog/star_info_file.h"
#include "fuzz_files.h"

using namespace celvaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StarInfoFile file;
  file.setPath(fuzz::writeScratchFile("hipparcos_data.dat", fuzz::inputText(data, size)));
  std::vector<StarInfoItem> items;
  for (int32_t number = -1; number <= 40; ++number) file.read(number, items);
  for (const int32_t number : {91262, 129999, 130000, 1 << 24}) file.read(number, items);
  MarkLinks marks;
  marks.load(file.path());
  ProperMotions motions;
  if (!motions.load(file.path())) return 0;
  for (const int32_t number : {-1, 0, 1, 2, 40, 91262, 129999, 130000, 1 << 24}) {
    motions.placeAt(number, 1.0, 0.5, 2461000.5);
    motions.yearlyMotion(number, {0.5, 0.5, 0.7071});
  }
  return 0;
}
