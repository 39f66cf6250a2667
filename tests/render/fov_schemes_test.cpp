#include "render/fov_schemes.h"

#include <gtest/gtest.h>

#include "full_disk.h"
#include "test_files.h"

namespace celvaro {
namespace {

using testing::readBytes;
using testing::ScratchDir;
using testing::writeBytes;

constexpr const char* kDefaultText =
    "flags=6\r\n"
    "ccdxs=2200\r\n"
    "ccdys=1600\r\n"
    "totalfovradius=2500\r\n"
    "guiderccdxs=800\r\n"
    "guiderccdys=800\r\n"
    "guideroffset=1800\r\n"
    "focallength=1200\r\n";

class FovSchemesFile : public ::testing::Test {
 protected:
  ScratchDir dir;
  const std::string path = dir.file("fovschemes.dat");
  FovSchemes schemes;
};

// A missing file leaves the defaults and is not made until the scheme is
// edited; then it is written whole and reads back.
TEST_F(FovSchemesFile, AMissingFileIsMadeOnlyForAnEditedSchemeAndReadsBack) {
  EXPECT_FALSE(schemes.load(path));
  EXPECT_EQ(schemes.scheme, FovScheme{});
  EXPECT_TRUE(schemes.save());
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(schemes.text(), kDefaultText);
  schemes.scheme.flags = 7;
  schemes.scheme.guiderOffset = 2100;
  schemes.markModified();
  ASSERT_TRUE(schemes.save());
  EXPECT_FALSE(schemes.modified());
  FovSchemes again;
  again.load(path);
  EXPECT_EQ(again.scheme, schemes.scheme);  // the bytes of every key: the test of the defaults' text
}

// Keys without a value and numbers no optics has are ignored like missing
// ones; "guiderccdxs" does not begin with "ccdxs".
TEST_F(FovSchemesFile, KeysWithoutAValueAndNumbersOutOfTheirRangeAreIgnored) {
  const struct { const char* text; FovScheme expected; } kFiles[] = {
      {"flags\nccdys=\nguiderccdxs=500\ntotalfovradiusmm=3000\nfocallength=0\n",
       {.totalFieldRadius = 3000, .guiderWidth = 500, .focalLength = 0}},
      {"flags=8\nccdxs=2147483647\nccdys=-1\nguideroffset=-2147483648\nfocallength=100001\nguiderccdxs=100000\n",
       {.guiderWidth = 100000}},
  };
  for (const auto& file : kFiles) {
    SCOPED_TRACE(file.text);
    writeBytes(path, file.text);
    FovSchemes read;
    read.load(path);
    EXPECT_EQ(read.scheme, file.expected);
  }
}

TEST_F(FovSchemesFile, AFailedSaveKeepsTheOldFile) {
  writeBytes(path, kDefaultText);
  schemes.load(path);
  schemes.scheme.cameraWidth = 999;
  schemes.markModified();
  EXPECT_FALSE(testing::succeedsOnAFullDisk([&] { return schemes.save(); }));
  EXPECT_EQ(readBytes(path), kDefaultText);
}

}  // namespace
}  // namespace celvaro
