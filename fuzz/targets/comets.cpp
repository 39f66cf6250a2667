// Comet element lines: the list loaded and every position computed.
#include "fuzz_files.h"
#include "solarsystem/comet_list.h"

using namespace celvaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CometList comets;
  if (comets.load(fuzz::writeScratchFile("CometEls.txt", fuzz::inputText(data, size))) != 0) return 0;
  comets.placeAt(MinorBodyEphemeris(2461381.5));
  StarPosition position;
  for (int index = 0; index < comets.count(); ++index) comets.position(index, position);
  return 0;
}
