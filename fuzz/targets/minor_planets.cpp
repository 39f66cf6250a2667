// MPCORB element lines: the list loaded, every position computed and the
// three searches made, with the first object's own keys among them.
#include "fuzz_files.h"
#include "solarsystem/minor_planet_list.h"

using namespace celvaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MinorPlanetList list(MinorPlanetList::kShortCapacity, fuzz::writeScratchFile("MPCORB.DAT", fuzz::inputText(data, size)));
  if (list.load() != 0) return 0;
  list.placeAt(MinorBodyEphemeris(2461381.5));
  StarPosition position;
  for (int index = 0; index < list.count(); ++index) list.position(index, position);
  list.findByNumber(1);
  list.findByDesignation("2006 DA00");
  list.findByName(list.count() > 0 ? list.name(0) : "(1) Ceres");
  return 0;
}
