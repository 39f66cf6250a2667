#include "catalog/sky_catalogs.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "catalog/large_star_catalogs.h"
#include "catalog_writers.h"
#include "render/magnitude_limits.h"
#include "segmented_catalog_writer.h"
#include "test_files.h"

namespace celvaro {
namespace {

using testing::ScratchDir;
using testing::writeBytes;

class SkyCatalogsTest : public ::testing::Test {
 protected:
  SkyCatalogsTest() : catalogs(dir.path().string()) {
    std::filesystem::create_directories(dir.path() / "data");
    writeBytes(dir.file("data/stars.dat"),
               starCatalogBytes(zonedStarCatalog({{1, 100, 0.1, 0.1, 0}}, {600})));
  }
  ScratchDir dir;
  SkyCatalogs catalogs;
};

TEST_F(SkyCatalogsTest, RegistrationResults) {
  EXPECT_EQ(catalogs.registerStarCatalog(5, 3, "data/stars.dat", "Five", 0, 0), 3);
  EXPECT_EQ(catalogs.slotsInUse(), 0);
  EXPECT_EQ(catalogs.registerStarCatalog(0, 3, "data/none.dat", "None", 0, 0), 4);
  writeBytes(dir.file("data/other.dat"), "type = s_usnosa\n");
  EXPECT_EQ(catalogs.registerStarCatalog(0, 3, "data/other.dat", "Other", 0, 0), 1);
  EXPECT_EQ(catalogs.currentStarCatalog(), nullptr);
  EXPECT_EQ(catalogs.currentDisplayName(), "");
  EXPECT_EQ(catalogs.registerStarCatalog(0, 3, "data/stars.dat", "Hipparcos", 0, 0), 0);
  EXPECT_EQ(catalogs.slotsInUse(), 1);
  EXPECT_EQ(catalogs.currentDisplayName(), "Hipparcos");
  EXPECT_EQ(catalogs.currentStarCatalog()->starCount(), 1);
  EXPECT_EQ(catalogs.currentIdentifierKind(), 3);
}

TEST_F(SkyCatalogsTest, TheDeepestSlotTheViewAdmitsIsChosen) {
  catalogs.selectStarCatalog(900, 3600);
  EXPECT_EQ(catalogs.currentSlot(), 0);
  catalogs.registerStarCatalog(0, 3, "data/stars.dat", "A", 0, 0);
  catalogs.selectStarCatalog(2000, 1);
  EXPECT_EQ(catalogs.currentSlot(), 0);  // one slot in use: always slot 0
  catalogs.registerStarCatalog(1, 0, "data/stars.dat", "B", 800, 600);
  catalogs.registerStarCatalog(2, 0, "data/stars.dat", "C", 1100, 120);
  catalogs.selectStarCatalog(900, 300);
  EXPECT_EQ(catalogs.currentSlot(), 1);  // slot 2's minimum 1100 is not below 900
  catalogs.selectStarCatalog(1200, 100);
  EXPECT_EQ(catalogs.currentSlot(), 2);
  catalogs.selectStarCatalog(1200, 700);
  EXPECT_EQ(catalogs.currentSlot(), 0);  // slot 1's field is too narrow
  EXPECT_EQ(catalogs.currentDisplayName(), "A");
}

// Zooming in switches to the deeper catalogs and zooming out back.
TEST_F(SkyCatalogsTest, LargeCatalogsTakeTheNextFreeSlots) {
  catalogs.registerStarCatalog(0, 3, "data/stars.dat", "Hipparcos", 0, 0);
  EXPECT_EQ(registerLargeStarCatalogs(catalogs), 0);  // no headers
  writeBytes(dir.file("data/stars_deep.hdr"), segmentedHeaderText(0));
  writeBytes(dir.file("data/usnoa2.hdr"), "type = s_usnoa\n");
  std::filesystem::create_directories(dir.path() / "data" / "usnoa2");
  writeBytes(dir.file("data/usnoa2.dat"), "");
  EXPECT_EQ(registerLargeStarCatalogs(catalogs), 2);  // no GSC: USNO-A2.0 follows in slot 2
  EXPECT_EQ(catalogs.slotsInUse(), 3);
  for (auto [field, slot] : {std::pair{3600, 0}, {600, 0}, {120, 1}, {30, 2}, {120, 1}, {3600, 0}}) {
    catalogs.selectStarCatalog(automaticStarLimit(field), field);
    EXPECT_EQ(catalogs.currentSlot(), slot) << field;
  }
  catalogs.selectStarCatalog(automaticStarLimit(120), 120);
  EXPECT_EQ(catalogs.currentDisplayName(), "Deep stars");
  EXPECT_EQ(catalogs.currentIdentifierKind(), kIdentifierHipparcos);
}

}  // namespace
}  // namespace celvaro
