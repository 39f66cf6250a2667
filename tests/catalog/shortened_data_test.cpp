// A data file another program shortens while the program has it mapped (an
// update written over it in place, a copy cut short) must not end the
// process: the star identification database answers from what is left of
// it and finds nothing of what is gone. Skipped where the data have not
// been built.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "catalog/star_id_database.h"
#include "test_files.h"

namespace celvaro {
namespace {

TEST(ShortenedData, StarIdentificationsCutShortWhileOpenFindNothingOfWhatIsGone) {
  const std::string data = std::string(CELVARO_RUN_DIR) + "/data/";
  CELVARO_SKIP_WITHOUT_BUILT_DATA();
  const testing::ScratchDir dir;
  std::filesystem::copy_file(data + "starid.dat", dir.file("starid.dat"));
  std::filesystem::copy_file(data + "starid_tycho.dat", dir.file("starid_tycho.dat"));
  StarIdDatabase ids;
  ASSERT_EQ(ids.open(dir.file("starid.dat"), dir.file("starid_tycho.dat")), 0);
  StarIdRecord found;
  // Betelgeuse and Sirius by their Hipparcos numbers (the Hipparcos catalogue).
  ASSERT_TRUE(ids.findByCatalogNumber(kCatalogHipparcos, 27989, found));
  ASSERT_TRUE(ids.findByDesignation("alf CMa", found));
  EXPECT_EQ(found.hipparcos, 32349);

  std::filesystem::resize_file(dir.file("starid.dat"), 4096);
  // What is gone reads as zeros: lookups may answer with an empty record,
  // never with a star the shortened file no longer holds.
  found = {};
  ids.findByCatalogNumber(kCatalogHipparcos, 32349, found);
  EXPECT_NE(found.hipparcos, 32349);
  found = {};
  ids.findByDesignation("alf Ori", found);
  EXPECT_NE(found.hipparcos, 27989);
  // Every name read is text the first page still holds.
  const std::string kept = testing::readBytes(data + "starid.dat").substr(0, 4096);
  std::string name;
  int record = 0;
  while (ids.nextName(name, record)) EXPECT_NE(kept.find(name), std::string::npos) << name;
}

}  // namespace
}  // namespace celvaro
