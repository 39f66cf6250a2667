#include "output/color_table.h"

#include <gtest/gtest.h>

namespace celvaro {
namespace {

// Planet tracks cross the ecliptic: in every day scheme their colours lie
// far apart (more than 150 of the 441 between black and white).
TEST(ColorTable, PlanetTracksStandApartFromTheEcliptic) {
  ColorTable table;
  for (int scheme = 1; scheme <= 5; ++scheme) {
    table.applyScheme(scheme);
    const Rgb a = table.getColor(kColorEcliptic), b = table.getColor(kColorPlanetTracks);
    const int dr = a.red - b.red, dg = a.green - b.green, db = a.blue - b.blue;
    EXPECT_GT(dr * dr + dg * dg + db * db, 150 * 150) << scheme;
  }
}

}  // namespace
}  // namespace celvaro
