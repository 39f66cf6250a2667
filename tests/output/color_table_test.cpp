#include "output/color_table.h"

#include <gtest/gtest.h>

namespace celvaro {
namespace {

TEST(ColorTable, IgnoresIndicesOutsideTheTable) {
  ColorTable table;
  ColorTable before = table;
  table.setColor(14, {1, 2, 3});
  table.setColor(-1, {1, 2, 3});
  EXPECT_TRUE(table == before);
  EXPECT_EQ(table.getColor(14), (Rgb{}));
}

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
