#include "output/bitmap24.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include "test_files.h"

namespace celvaro {
namespace {

using testing::ScratchDir;
using testing::writeBytes;

TEST(Bitmap24, LoadsAPictureBottomUpInBlueGreenRedAndRefusesWhatItCannot) {
  ScratchDir dir;
  // 3 x 2 pixels: top row red, green, blue; bottom row white, black, grey.
  const uint8_t rgb[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 128, 128, 128};
  ASSERT_TRUE(stbi_write_png(dir.file("p.png").c_str(), 3, 2, 3, rgb, 9));
  Bitmap24 bitmap;
  ASSERT_EQ(bitmap.load(dir.file("p.png")), Bitmap24::kLoaded);
  EXPECT_EQ((std::tuple{bitmap.width(), bitmap.height(), bitmap.stride()}), (std::tuple{3, 2, 12}));
  const uint8_t* top = bitmap.rowFromTop(0);
  EXPECT_EQ(std::vector<uint8_t>(top, top + 9), (std::vector<uint8_t>{0, 0, 255, 0, 255, 0, 255, 0, 0}));
  // In memory the bottom row comes first, right after the 40-byte header.
  EXPECT_EQ(bitmap.bytes()[40], 255);
  EXPECT_EQ(bitmap.bytes()[40 + 12 + 2], 255);  // the top row's red, stored last
  EXPECT_EQ((std::tuple{bitmap.bytes()[0], bitmap.bytes()[14], bitmap.bytes()[24]}), (std::tuple{40, 24, 75}));
  // Missing and undecodable files, and a directory.
  EXPECT_EQ(bitmap.load(dir.file("none.jpg")), Bitmap24::kCannotOpen);
  writeBytes(dir.file("bad.jpg"), "\xFF\xD8 not really a JPEG");
  EXPECT_EQ(bitmap.load(dir.file("bad.jpg")), Bitmap24::kCannotDecode);
  EXPECT_EQ(bitmap.load(dir.path().string()), Bitmap24::kCannotOpen);
}

}  // namespace
}  // namespace celvaro
