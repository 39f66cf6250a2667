// data/constellation_names.txt, the constellation names of the chart's
// languages; every name of every language is asked for after the reading.
#include "astro/constellation_list.h"
#include "catalog/constellation_names.h"
#include "fuzz_files.h"

using namespace celvaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::writeScratchFile("constellation_names.txt", fuzz::inputText(data, size));
  ConstellationNames names;
  names.load(fuzz::scratchDirectory() + "/constellation_names.txt");
  for (int number = -1; number <= kConstellationCount; ++number) {
    for (int language = 0; language <= 5; ++language) names.name(number, language);
  }
  return 0;
}
