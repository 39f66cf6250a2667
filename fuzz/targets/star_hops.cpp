// The star-hopping routes (CLV_ STHP): loaded, each route's object, steps,
// view and line taken as the route window does.
#include "aids/star_hop_guides.h"
#include "catalog/sky_polylines.h"
#include "fuzz_files.h"

using namespace celvaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StarHopGuides guides;
  guides.loadStarHops(fuzz::writeScratchFile("starhopping.dat", fuzz::inputText(data, size)));
  for (int route = -1; route <= 64 && route <= guides.routeCount(); ++route) {
    guides.routeObject(route);
    routeView(guides.routePoints(route));
    SkyPolylines line;
    guides.routeLine(route, line);
  }
  return 0;
}
