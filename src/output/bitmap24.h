// A 24-bit picture kept as a device-independent bitmap: a 40-byte
// BITMAPINFOHEADER (width, height, 1 plane, 24 bits, no compression, 75
// pixels per metre) followed by the rows bottom-up, blue-green-red, each
// row padded to a multiple of four bytes. Object photographs load into it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace celvaro {

class Bitmap24 {
 public:
  static constexpr size_t kHeaderBytes = 40;
  // Pictures larger than this are not decoded.
  static constexpr int64_t kMaxPixels = 64LL * 1024 * 1024;
  // Files larger than this are not read.
  static constexpr int64_t kMaxFileBytes = 256LL * 1024 * 1024;

  enum LoadResult : int { kLoaded = 0, kCannotOpen = 1, kCannotDecode = 3 };

  // A picture of the size, its pixels black.
  void create(int width, int height);
  // Decodes a JPEG or PNG file.
  int load(const std::string& path);
  // Copies one row of blue-green-red pixels, counted from the top; rows
  // outside the picture are ignored.
  void setRow(int rowFromTop, const uint8_t* bgr);

  int width() const { return width_; }
  int height() const { return height_; }
  bool isEmpty() const { return width_ == 0 || height_ == 0; }
  int stride() const { return (width_ * 3 + 3) & ~3; }
  // The header followed by the rows.
  const std::vector<uint8_t>& bytes() const { return bytes_; }
  // A row's pixels, counted from the top.
  const uint8_t* rowFromTop(int row) const;

 private:
  uint8_t* rowPointer(int rowFromTop);

  int width_ = 0, height_ = 0;
  std::vector<uint8_t> bytes_;
};

}  // namespace celvaro
