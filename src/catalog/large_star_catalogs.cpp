#include "catalog/large_star_catalogs.h"

#include "catalog/sky_catalogs.h"

namespace celvaro {

int registerLargeStarCatalogs(SkyCatalogs& catalogs) {
  int slot = 1;
  for (const LargeStarCatalog& c : kLargeStarCatalogs) {
    if (catalogs.registerStarCatalog(slot, c.identifierKind, c.path, c.displayName, c.minLimitHundredths,
                                     c.maxFieldArcmin) == 0) {
      ++slot;
    }
  }
  return slot - 1;
}

}  // namespace celvaro
