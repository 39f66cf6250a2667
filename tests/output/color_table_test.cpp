#include "output/color_table.h"

#include <gtest/gtest.h>

namespace celvaro {
namespace {

// The first scheme's colours are checked byte for byte in the configuration
// file's defaults.
TEST(ColorTable, IgnoresIndicesOutsideTheTable) {
  ColorTable table;
  ColorTable before = table;
  table.setColor(14, {1, 2, 3});
  table.setColor(-1, {1, 2, 3});
  EXPECT_TRUE(table == before);
  EXPECT_EQ(table.getColor(14), (Rgb{}));
}

TEST(ColorTable, SchemesOneToSix) {
  ColorTable table;
  table.applyScheme(5);
  EXPECT_EQ(table.getColor(kColorBackground), (Rgb{255, 255, 255}));
  EXPECT_EQ(table.getColor(kColorStars), (Rgb{0, 0, 0}));
  table.applyScheme(6);
  EXPECT_EQ(table.getColor(kColorBackground), (Rgb{0, 0, 0}));
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(table.getColor(i), (Rgb{160, 0, 0})) << i;
  EXPECT_EQ(table.getColor(kColorStars), (Rgb{255, 0, 0}));
  EXPECT_EQ(table.getColor(kColorStarEdge), (Rgb{160, 0, 0}));
  for (int i = 8; i <= 13; ++i) EXPECT_EQ(table.getColor(i), (Rgb{255, 0, 0})) << i;
  ColorTable night = table;
  table.applyScheme(0);
  table.applyScheme(7);
  EXPECT_TRUE(table == night);
  table.applyScheme(1);
  EXPECT_TRUE(table == ColorTable());
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
