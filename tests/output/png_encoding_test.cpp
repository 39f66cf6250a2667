#include "output/png_encoding.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include <string>
#include <vector>

namespace celvaro {
namespace {

// A picture of `colours` distinct colours in stripes, with two spare white
// pixels at the end of each row that must not be written.
struct TestPicture {
  TestPicture(int width, int height, int colours) : width(width), height(height), pixels((width + 2) * height) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const uint32_t n = static_cast<uint32_t>((x * 7 + y * 3) % colours);
        pixels[y * (width + 2) + x] = 0xFF000030u | ((n & 0xFF) << 16) | ((n >> 8) << 8);
      }
      pixels[y * (width + 2) + width] = pixels[y * (width + 2) + width + 1] = 0xFFFFFFFF;
    }
  }
  PixelRows rows() const { return {pixels.data(), width, height, static_cast<size_t>(width + 2)}; }
  int width, height;
  std::vector<uint32_t> pixels;
};

// Decodes with an independent PNG reader and compares every pixel.
void expectSamePixels(const std::string& png, const TestPicture& picture) {
  int width = 0, height = 0, channels = 0;
  unsigned char* rgb = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(png.data()), static_cast<int>(png.size()),
                                             &width, &height, &channels, 3);
  ASSERT_NE(rgb, nullptr) << stbi_failure_reason();
  ASSERT_EQ(width, picture.width);
  ASSERT_EQ(height, picture.height);
  int wrong = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t p = picture.pixels[y * (width + 2) + x];
      const unsigned char* q = rgb + 3 * (y * width + x);
      wrong += q[0] != ((p >> 16) & 0xFF) || q[1] != ((p >> 8) & 0xFF) || q[2] != (p & 0xFF);
    }
  }
  stbi_image_free(rgb);
  EXPECT_EQ(wrong, 0);
}

// The colour type in the header chunk (byte 25 of the file): 3 palette, 2 RGB.
int colourType(const std::string& png) { return png.size() > 25 ? static_cast<uint8_t>(png[25]) : -1; }

TEST(PngEncoding, EveryFilterAndLevelGivesThePicturePixelForPixel) {
  const TestPicture few(37, 23, 200), many(37, 23, 300);
  for (const PngFilter filter : {PngFilter::kNone, PngFilter::kSub, PngFilter::kUp}) {
    for (const int level : {0, 1, 6}) {
      for (const bool runLengths : {false, true}) {
        for (const TestPicture* picture : {&few, &many}) {
          std::string png;
          ASSERT_TRUE(encodePng(picture->rows(), png, {level, filter, true, runLengths}));
          expectSamePixels(png, *picture);
        }
      }
    }
  }
}

TEST(PngEncoding, PaletteOnlyWhereTheColoursAllow) {
  std::string png256, png257, rgb;
  ASSERT_TRUE(encodePng(TestPicture(40, 30, 256).rows(), png256));
  ASSERT_TRUE(encodePng(TestPicture(40, 30, 257).rows(), png257));
  ASSERT_TRUE(encodePng(TestPicture(40, 30, 2).rows(), rgb, {1, PngFilter::kSub, false, false}));
  EXPECT_EQ(colourType(png256), 3);
  EXPECT_EQ(colourType(png257), 2);
  EXPECT_EQ(colourType(rgb), 2);
}

TEST(PngEncoding, NoPictureNoFile) {
  std::string png = "kept";
  EXPECT_FALSE(encodePng(PixelRows{}, png));
  const uint32_t pixel = 0;
  EXPECT_FALSE(encodePng({&pixel, 1, 1, 0}, png));
  EXPECT_EQ(png, "kept");
}

}  // namespace
}  // namespace celvaro
