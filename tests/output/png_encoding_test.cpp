#include "output/png_encoding.h"

#include <gtest/gtest.h>
#include <stb_image.h>
#include <zlib.h>

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

// The image data of every IDAT chunk inflated by zlib itself, which also
// checks the stream's Adler-32; Z_OK only when the data are exactly
// `expectedBytes` long.
int inflateImageData(const std::string& png, size_t expectedBytes) {
  std::string stream;
  for (size_t at = 8; at + 12 <= png.size();) {
    const auto byte = [&](size_t i) { return static_cast<uint32_t>(static_cast<uint8_t>(png[at + i])); };
    const size_t length = byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
    if (png.compare(at + 4, 4, "IDAT") == 0) stream += png.substr(at + 8, length);
    at += length + 12;
  }
  std::vector<Bytef> data(expectedBytes + 1);
  uLongf size = data.size();
  const int result = uncompress(data.data(), &size, reinterpret_cast<const Bytef*>(stream.data()), stream.size());
  return result == Z_OK && size != expectedBytes ? Z_DATA_ERROR : result;
}

// The colour type in the header chunk (byte 25 of the file): 3 palette, 2 RGB.
int colourType(const std::string& png) { return png.size() > 25 ? static_cast<uint8_t>(png[25]) : -1; }

// A tall picture is deflated in parts that must join into one stream.
TEST(PngEncoding, EveryFilterAndLevelGivesThePicturePixelForPixel) {
  const TestPicture few(37, 23, 200), many(37, 23, 300), tall(37, 301, 200), tallMany(37, 300, 300);
  for (const PngFilter filter : {PngFilter::kNone, PngFilter::kSub, PngFilter::kUp}) {
    for (const int level : {0, 1, 6}) {
      for (const bool runLengths : {false, true}) {
        for (const TestPicture* picture : {&few, &many, &tall, &tallMany}) {
          std::string png;
          ASSERT_TRUE(encodePng(picture->rows(), png, {level, filter, true, runLengths}));
          expectSamePixels(png, *picture);
          const size_t rowBytes = 1 + picture->width * (colourType(png) == 3 ? 1 : 3);
          EXPECT_EQ(inflateImageData(png, rowBytes * picture->height), Z_OK);
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
  EXPECT_EQ((std::tuple{colourType(png256), colourType(png257), colourType(rgb)}), (std::tuple{3, 2, 2}));
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
