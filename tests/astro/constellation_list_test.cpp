#include "astro/constellation_list.h"

#include <gtest/gtest.h>

namespace celvaro {
namespace {

// The IAU constellations in alphabetical order with Serpens twice, as the
// data files number them; numbers outside 0..88 are nothing, and a packed
// abbreviation counts from 1 and keeps to its room.
TEST(ConstellationList, NumbersNamesAndAbbreviations) {
  EXPECT_EQ(constellationName(0), "Andromeda");
  EXPECT_EQ(constellationName(13), "Canis_Major");
  EXPECT_EQ(constellationName(59), "Orion");
  EXPECT_EQ(constellationName(77), "Sextans");
  EXPECT_EQ(constellationName(88), "Vulpecula");
  EXPECT_EQ(constellationName(75), "Serpens_Caput");
  EXPECT_EQ(constellationName(76), "Serpens_Cauda");
  EXPECT_EQ(constellationAbbreviation(75), "Ser");
  EXPECT_EQ(constellationAbbreviation(76), "Ser");
  EXPECT_EQ(constellationName(89), "");
  EXPECT_EQ(constellationAbbreviation(-1), "");
  std::string out;
  for (int n : {1, 75, 76, 77, 88, 0, 89}) appendPackedAbbreviation(out, n, 64);
  EXPECT_EQ(out, "AndSctSerSexVul");
  std::string small;
  appendPackedAbbreviation(small, 1, 2);
  EXPECT_EQ(small, "An");
}

}  // namespace
}  // namespace celvaro
