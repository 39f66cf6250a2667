// Finding an object's photograph by the names of the files in data/photos.
#include <gtest/gtest.h>

#include <filesystem>

#include "aids/photo_finder.h"
#include "test_files.h"

namespace celvaro {
namespace {

using namespace celvaro::testing;

constexpr int kMessier = 1, kNgc = 2, kIc = 3;

class PhotoFinder : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(dir.path() / "data/photos"); }
  void add(const std::string& name) { writeBytes(dir.file("data/photos/" + name), "jpeg"); }
  std::optional<std::string> find(int32_t first, int32_t second) {
    return findPhoto(dir.path().string(), first, second);
  }
  ScratchDir dir;
};

TEST(PhotoFileNames, GiveTheirKindAndNumber) {
  EXPECT_EQ(photoKeyOfFileName("NGC_0224.jpg"), photoKey(kNgc, 224));
  EXPECT_EQ(photoKeyOfFileName("M_31.jpg"), photoKey(kMessier, 31));
  EXPECT_EQ(photoKeyOfFileName("IC_1396.JPG"), photoKey(kIc, 1396));
  EXPECT_EQ(photoKeyOfFileName("M_  42.jpg"), photoKey(kMessier, 42));
  EXPECT_EQ(photoKeyOfFileName("M_+45.jpg"), photoKey(kMessier, 45));
  EXPECT_EQ(photoKeyOfFileName("NGC_70001.jpg"), photoKey(kNgc, 7000));  // four characters at most
  EXPECT_EQ(photoKeyOfFileName("M_110b.jpg"), photoKey(kMessier, 110));
}

TEST(PhotoFileNames, OtherPrefixesNumberZeroAndOtherFilesAreNone) {
  EXPECT_EQ(photoKeyOfFileName("UGC_454.jpg"), std::nullopt);
  EXPECT_EQ(photoKeyOfFileName("M_0.jpg"), std::nullopt);
  EXPECT_EQ(photoKeyOfFileName("M_-3.jpg"), std::nullopt);
  EXPECT_EQ(photoKeyOfFileName("M_x.jpg"), std::nullopt);
  EXPECT_EQ(photoKeyOfFileName("M_31.png"), std::nullopt);
  EXPECT_EQ(photoKeyOfFileName("NGC_224"), std::nullopt);
  EXPECT_EQ(photoKeyOfFileName(".jpg"), std::nullopt);
}

TEST_F(PhotoFinder, FindsTheNgcPhotoOfNgc224) {
  add("NGC_0224.jpg");
  add("NGC_0225.jpg");
  EXPECT_EQ(find(photoKey(kNgc, 224), 0), "data/photos/NGC_0224.jpg");
}

TEST_F(PhotoFinder, FindsMessier31GivenAsTheSecondObject) {
  add("M_31.jpg");
  EXPECT_EQ(find(photoKey(kNgc, 224), photoKey(kMessier, 31)), "data/photos/M_31.jpg");
}

TEST_F(PhotoFinder, TheFirstNameInOrderWinsAndOtherFilesAreSkipped) {
  add("NGC_1976.jpg");
  add("M_42.jpg");
  add("M_42.png");
  add("M_0.jpg");
  EXPECT_EQ(find(photoKey(kNgc, 1976), photoKey(kMessier, 42)), "data/photos/M_42.jpg");
  EXPECT_EQ(find(photoKey(kIc, 434), 0), std::nullopt);
  EXPECT_EQ(find(0, 0), std::nullopt);
}

TEST(PhotoFinderWithoutPhotos, FindsNothing) {
  EXPECT_EQ(findPhoto("/nonexistent-celvaro-dir", photoKey(kMessier, 1), 0), std::nullopt);
}

}  // namespace
}  // namespace celvaro
