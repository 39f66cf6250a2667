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

TEST(PhotoFileNames, GiveTheirKindAndNumberOrNone) {
  const std::pair<const char*, std::optional<int32_t>> names[] = {
      {"NGC_0224.jpg", photoKey(kNgc, 224)}, {"M_31.jpg", photoKey(kMessier, 31)},
      {"IC_1396.JPG", photoKey(kIc, 1396)},  {"M_  42.jpg", photoKey(kMessier, 42)},
      {"M_+45.jpg", photoKey(kMessier, 45)}, {"NGC_70001.jpg", photoKey(kNgc, 7000)},  // four characters at most
      {"M_110b.jpg", photoKey(kMessier, 110)}, {"UGC_454.jpg", std::nullopt}, {"M_0.jpg", std::nullopt},
      {"M_-3.jpg", std::nullopt}, {"M_x.jpg", std::nullopt}, {"M_31.png", std::nullopt},
      {"NGC_224", std::nullopt}, {".jpg", std::nullopt}};
  for (const auto& [name, key] : names) EXPECT_EQ(photoKeyOfFileName(name), key) << name;
}

// Either object's photo; the first name in order wins, other files and
// numbers are skipped.
TEST_F(PhotoFinder, FindsThePhotoOfEitherObject) {
  add("NGC_0224.jpg");
  add("NGC_0225.jpg");
  add("M_31.jpg");
  EXPECT_EQ(find(photoKey(kNgc, 224), 0), "data/photos/NGC_0224.jpg");
  EXPECT_EQ(find(photoKey(kNgc, 223), photoKey(kMessier, 31)), "data/photos/M_31.jpg");
  add("NGC_1976.jpg");
  add("M_42.jpg");
  add("M_42.png");
  add("M_0.jpg");
  EXPECT_EQ(find(photoKey(kNgc, 1976), photoKey(kMessier, 42)), "data/photos/M_42.jpg");
  EXPECT_EQ(find(photoKey(kIc, 434), 0), std::nullopt);
  EXPECT_EQ(find(0, 0), std::nullopt);
  EXPECT_EQ(findPhoto(dir.file("elsewhere"), photoKey(kMessier, 31), 0), std::nullopt);
}

}  // namespace
}  // namespace celvaro
