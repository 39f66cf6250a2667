// Well-known variable stars that observers look for and that the variable
// sources, holding only stars of the Hipparcos catalogue, leave out: dwarf
// novae, recurrent and classical novae and a Mira of the Scorpius clouds.
#pragma once

#include <span>

#include "sky_sources.h"

namespace celvaro {

struct HandListedVariable {
  GcvsStar star;         // no Hipparcos number
  double raDeg, decDeg;  // J2000, as the GCVS gives it
};

std::span<const HandListedVariable> handListedVariables();

}  // namespace celvaro
