// The star information file (CLV_SIDX): the entries of the first and of
// some far star numbers read and decoded, and their proper motions read in
// place from the mapped file.
#include <vector>

#include "catalog/star_info_file.h"
#include "fuzz_files.h"

using namespace celvaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StarInfoFile file;
  file.setPath(fuzz::writeScratchFile("hipparcos_data.dat", fuzz::inputText(data, size)));
  std::vector<StarInfoItem> items;
  for (int32_t number = -1; number <= 40; ++number) file.read(number, items);
  for (const int32_t number : {91262, 129999, 130000, 1 << 24}) file.read(number, items);
  const MappedStarInfo mapped(file.path());
  int32_t values[3];
  for (int32_t number = -1; number <= 40; ++number) mapped.storedNumbers(number, {7, 8, 5}, values, 2);
  for (const int32_t number : {91262, 129999, 130000, 1 << 24}) mapped.storedNumbers(number, {7, 8, 5}, values, 2);
  return 0;
}
