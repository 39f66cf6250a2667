#include "catalog/constellation_list.h"

#include <gtest/gtest.h>

namespace celvaro {
namespace {

TEST(ConstellationList, NumbersNamesAndAbbreviations) {
  EXPECT_EQ(constellationName(0), "Andromeda");
  EXPECT_EQ(constellationName(13), "Canis_Major");
  EXPECT_EQ(constellationName(33), "Draco");
  EXPECT_EQ(constellationName(59), "Orion");
  EXPECT_EQ(constellationName(61), "Pegasus");
  EXPECT_EQ(constellationName(74), "Scutum");
  EXPECT_EQ(constellationName(75), "Serpens_Caput");
  EXPECT_EQ(constellationName(76), "Serpens_Cauda");
  EXPECT_EQ(constellationName(77), "Sextans");
  EXPECT_EQ(constellationName(88), "Vulpecula");
  EXPECT_EQ(constellationName(89), "");
  EXPECT_EQ(constellationAbbreviation(75), "Ser");
  EXPECT_EQ(constellationAbbreviation(76), "Ser");
  EXPECT_EQ(constellationAbbreviation(-1), "");
}

TEST(ConstellationList, PackedAbbreviations) {
  std::string out;
  for (int n : {1, 75, 76, 77, 88}) appendPackedAbbreviation(out, n, 64);
  EXPECT_EQ(out, "AndSctSerSexVul");
  appendPackedAbbreviation(out, 0, 64);
  appendPackedAbbreviation(out, 89, 64);
  EXPECT_EQ(out.size(), 15u);
  std::string small;
  appendPackedAbbreviation(small, 1, 2);
  EXPECT_EQ(small, "An");
}

}  // namespace
}  // namespace celvaro
