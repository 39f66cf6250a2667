#include "output/picture_check.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <string>
#include <vector>

#include "output/bitmap24.h"
#include "test_files.h"

namespace celvaro {
namespace {

using testing::ScratchDir;
using testing::writeBytes;

bool sound(const std::string& bytes) {
  return jpegTablesSound(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

PictureKind kindOf(const std::string& bytes) {
  return pictureKind(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

// A JPEG head: a quantisation segment, one Huffman segment with a table of
// the code counts given (and as many symbols), then the start of a scan.
std::string jpegWithTable(const std::string& counts) {
  int codes = 0;
  for (const char c : counts) codes += static_cast<unsigned char>(c);
  const std::string table = std::string(1, '\x00') + counts + std::string(static_cast<size_t>(codes), '\x01');
  const size_t length = table.size() + 2;
  return std::string("\xFF\xD8\xFF\xDB\x00\x04\x00\x00", 8) + "\xFF\xC4" + static_cast<char>(length >> 8) +
         static_cast<char>(length & 0xFF) + table + std::string("\xFF\xDA\x00\x02", 4);
}

void appendBytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
}

TEST(PictureCheck, KnowsJpegAndPngBySignatureOnly) {
  EXPECT_EQ(kindOf("\xFF\xD8\xFF\xE0"), PictureKind::kJpeg);
  EXPECT_EQ(kindOf(std::string("\x89PNG\r\n\x1A\n", 8)), PictureKind::kPng);
  EXPECT_EQ(kindOf("GIF89a"), PictureKind::kNone);
  EXPECT_EQ(kindOf("\xFF\xD8"), PictureKind::kNone);
  EXPECT_EQ(kindOf(std::string("\x89PNG\r\n\x1A", 7)), PictureKind::kNone);
}

TEST(PictureCheck, HuffmanTablesOfMoreThan256CodesAreRefused) {
  std::string counts(16, '\0');
  counts[0] = 1, counts[15] = static_cast<char>(255);  // 256 codes: the most a table holds
  EXPECT_TRUE(sound(jpegWithTable(counts)));
  counts[14] = 1;  // 257
  EXPECT_FALSE(sound(jpegWithTable(counts)));
  // A segment whose length runs past the file, as the fuzzer's photo had
  // it: the decoder would read the missing counts as zeros and its sum of
  // 0xD5 + 0xD6 would overrun the table.
  EXPECT_FALSE(sound(std::string("\xFF\xD8\xFF\xC4\xD6\x0A\x00\xD5\xD6", 9)));
  // A table whose symbols run past its segment.
  std::string cut = jpegWithTable(counts.substr(0, 14) + std::string(2, '\0'));
  cut[13] = static_cast<char>(cut[13] + 1);  // two codes, one symbol
  EXPECT_FALSE(sound(cut));
  // A table between scans, where the decoder reads it too (the fuzzer's
  // second photo had one after its first scan's data).
  const std::string head = jpegWithTable(std::string(1, '\x01') + std::string(15, '\0'));
  EXPECT_TRUE(sound(head + "\x12\x34\xFF\x00" + jpegWithTable(std::string(1, '\x01') + std::string(15, '\0')).substr(8)));
  EXPECT_FALSE(sound(head + "\x12\x34\xFF\x00" + jpegWithTable(counts).substr(8)));
}

// A PNG of one grey pixel with the image data split as given.
std::string pngWithData(const std::vector<std::string>& dataChunks) {
  const auto chunk = [](const char* type, const std::string& data) {
    const size_t n = data.size();
    return std::string{static_cast<char>(n >> 24), static_cast<char>(n >> 16), static_cast<char>(n >> 8),
                       static_cast<char>(n)} +
           type + data + std::string(4, '\0');
  };
  std::string png = std::string("\x89PNG\r\n\x1A\n", 8) + chunk("IHDR", std::string("\0\0\0\1\0\0\0\1\x08\0\0\0\0", 13));
  for (const std::string& data : dataChunks) png += chunk("IDAT", data);
  return png + chunk("IEND", "");
}

bool pngSound(const std::string& bytes) {
  return pngChunksSound(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

TEST(PictureCheck, APngWhoseFirstImageDataIsEmptyIsRefused) {
  EXPECT_TRUE(pngSound(pngWithData({"x^c`\0\0\0\x02\0\x01"})));
  EXPECT_TRUE(pngSound(pngWithData({"x^c`", "", "\0\0\0\x02\0\x01"})));  // later empty chunks are read
  EXPECT_FALSE(pngSound(pngWithData({"", "x^c`\0\0\0\x02\0\x01"})));  // as the fuzzer's picture had it
  EXPECT_FALSE(pngSound(pngWithData({}).substr(0, 20)));                    // chunks cut short
}

TEST(PictureCheck, PhotosAsTheBuilderWritesThemPass) {
  const uint8_t rgb[4 * 4 * 3] = {10, 200, 30};
  std::string jpeg;
  ASSERT_TRUE(stbi_write_jpg_to_func(appendBytes, &jpeg, 4, 4, 3, rgb, 90));
  EXPECT_TRUE(sound(jpeg));
  EXPECT_FALSE(sound(jpeg.substr(0, 40)));  // cut inside its tables
  std::string png;
  ASSERT_TRUE(stbi_write_png_to_func(appendBytes, &png, 4, 4, 3, rgb, 12));
  EXPECT_TRUE(pngSound(png));
}

TEST(PictureCheck, APhotoWithAnOverlongTableIsNotDecoded) {
  ScratchDir dir;
  Bitmap24 picture;
  writeBytes(dir.file("hostile.jpg"), std::string("\xFF\xD8\xFF\xC4\xD6\x0A\x00\xD5\xD6", 9));
  EXPECT_EQ(picture.load(dir.file("hostile.jpg")), Bitmap24::kCannotDecode);
  writeBytes(dir.file("gif.jpg"), "GIF89a\x01\x00\x01\x00");
  EXPECT_EQ(picture.load(dir.file("gif.jpg")), Bitmap24::kCannotDecode);
}

}  // namespace
}  // namespace celvaro
