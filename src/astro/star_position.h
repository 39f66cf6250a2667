// Where a numbered object of a catalog or of the solar system stands: its
// index and its J2000 right ascension and declination.
#pragma once

#include <cstdint>

namespace celvaro {

struct StarPosition {
  int32_t index = -1;
  double raRad = 0;
  double decRad = 0;
};

}  // namespace celvaro
