// Drives a star catalog as the chart and the object search do: opened from
// the scratch directory, drawn on charts of several fields (the whole sky,
// a middle field and a narrow one around `focus`), and its first stars
// asked for their positions, designations and catalogue numbers.
#pragma once

#include <string>

#include "catalog/star_data.h"

namespace celvaro::fuzz {

struct SkyFocus {
  double raDeg = 0, decDeg = 0;
};

void driveStarData(iStarData& catalog, const std::string& relativePath, SkyFocus focus);

}  // namespace celvaro::fuzz
