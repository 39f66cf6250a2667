#include "output/picture_decoding.h"

#include "output/bitmap24.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace celvaro {
namespace {

void appendBytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
}

bool decode(const std::string& bytes, DecodedPicture& out, int64_t maxPixels = 1 << 20) {
  return decodePicture(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), maxPixels, out);
}

PictureKind kindOf(const std::string& bytes) {
  return pictureKind(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

// 3 x 2 pixels: top row red, green, blue; bottom row white, black, grey.
const uint8_t kPixels[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 128, 128, 128};

TEST(PictureDecoding, KnowsJpegAndPngBySignatureOnly) {
  EXPECT_EQ(kindOf("\xFF\xD8\xFF\xE0"), PictureKind::kJpeg);
  EXPECT_EQ(kindOf(std::string("\x89PNG\r\n\x1A\n", 8)), PictureKind::kPng);
  EXPECT_EQ((std::tuple{kindOf("GIF89a"), kindOf("\xFF\xD8")}), (std::tuple{PictureKind::kNone, PictureKind::kNone}));
  DecodedPicture picture;
  EXPECT_FALSE(decode("GIF89a\x01\x00\x01\x00", picture));
}

// Damaged pictures (cut in half, a Huffman table cut short) end in an error.
TEST(PictureDecoding, PngPixelsExactlyJpegPixelsNearlyAndDamagedOnesNone) {
  std::string png, jpeg;
  ASSERT_TRUE(stbi_write_png_to_func(appendBytes, &png, 3, 2, 3, kPixels, 9));
  ASSERT_TRUE(stbi_write_jpg_to_func(appendBytes, &jpeg, 3, 2, 3, kPixels, 100));
  DecodedPicture picture;
  ASSERT_TRUE(decode(png, picture));
  EXPECT_EQ(std::tuple(picture.width, picture.height), std::tuple(3, 2));
  EXPECT_EQ(picture.rgb, std::vector<uint8_t>(std::begin(kPixels), std::end(kPixels)));
  ASSERT_TRUE(decode(jpeg, picture));
  ASSERT_EQ(picture.rgb.size(), sizeof kPixels);
  EXPECT_GT(picture.rgb[9], 200);  // white stays light
  EXPECT_LT(picture.rgb[12], 60);  // black stays dark
  EXPECT_FALSE(decode(png, picture, 5));  // six pixels, five allowed
  EXPECT_FALSE(decode(jpeg, picture, 5));
  EXPECT_TRUE(picture.rgb.empty());
  EXPECT_FALSE(decode(png.substr(0, png.size() / 2), picture));
  EXPECT_FALSE(decode(jpeg.substr(0, jpeg.size() / 2), picture));
  EXPECT_FALSE(decode(std::string("\xFF\xD8\xFF\xC4\xD6\x0A\x00\xD5\xD6", 9), picture));
}

// Pictures that once broke a decoder (a Huffman table of more than 256
// codes, an empty first image data chunk, DC differences adding up past
// the integer range): each is read to its end or refused, and anything
// decoded is whole.
TEST(PictureDecoding, PicturesThatOnceBrokeADecoder) {
  const std::filesystem::path directory = std::filesystem::path(CELVARO_SOURCE_DIR) / "fuzz/regressions/photo";
  int tried = 0;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    std::ifstream file(entry.path(), std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    DecodedPicture picture;
    if (decode(bytes.str(), picture, int64_t{64} << 20)) {
      EXPECT_EQ(picture.rgb.size(), static_cast<size_t>(picture.width) * picture.height * 3) << entry.path();
    }
    ++tried;
  }
  EXPECT_GE(tried, 3);
}

// Every photo the catalog builder wrote is shown. Skipped where the data
// have not been built.
TEST(PictureDecoding, TheBuiltPhotosAllLoad) {
  const std::filesystem::path photos = std::filesystem::path(CELVARO_RUN_DIR) / "data/photos";
  if (!std::filesystem::exists(photos)) GTEST_SKIP() << "the photos have not been built";
  int loaded = 0;
  for (const auto& entry : std::filesystem::directory_iterator(photos)) {
    if (entry.path().extension() != ".jpg") continue;  // the credits beside them
    Bitmap24 picture;
    EXPECT_EQ(picture.load(entry.path().string()), Bitmap24::kLoaded) << entry.path();
    EXPECT_GT(picture.width(), 0);
    ++loaded;
  }
  EXPECT_GT(loaded, 400);
}

}  // namespace
}  // namespace celvaro
