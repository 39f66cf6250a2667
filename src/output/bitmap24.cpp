#include "output/bitmap24.h"

#include "output/picture_decoding.h"
#include "platform/binary_file.h"

namespace celvaro {
namespace {

void put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

void put16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

}  // namespace

void Bitmap24::create(int width, int height) {
  width_ = width > 0 ? width : 0;
  height_ = height > 0 ? height : 0;
  bytes_.assign(kHeaderBytes + static_cast<size_t>(stride()) * height_, 0);
  uint8_t* h = bytes_.data();
  constexpr uint32_t kPixelsPerMetre = 75;
  put32(h, kHeaderBytes);
  put32(h + 4, static_cast<uint32_t>(width_));
  put32(h + 8, static_cast<uint32_t>(height_));
  put16(h + 12, 1);   // planes
  put16(h + 14, 24);  // bits per pixel
  put32(h + 16, 0);   // no compression
  put32(h + 20, static_cast<uint32_t>(stride()) * height_);
  put32(h + 24, kPixelsPerMetre);
  put32(h + 28, kPixelsPerMetre);
}

int Bitmap24::load(const std::string& path) {
  BinaryFile file(path);
  const int64_t size = file.isOpen() ? file.size() : -1;
  if (size < 0) return kCannotOpen;
  std::vector<uint8_t> bytes;
  DecodedPicture picture;
  if (size > kMaxFileBytes || !file.readInto(bytes, static_cast<size_t>(size)) ||
      !decodePicture(bytes.data(), bytes.size(), kMaxPixels, picture)) {
    return kCannotDecode;
  }
  create(picture.width, picture.height);
  std::vector<uint8_t> bgr(static_cast<size_t>(picture.width) * 3);
  for (int row = 0; row < picture.height; ++row) {
    const uint8_t* rgb = picture.rgb.data() + static_cast<size_t>(row) * picture.width * 3;
    for (int x = 0; x < picture.width; ++x) {
      bgr[3 * x] = rgb[3 * x + 2];
      bgr[3 * x + 1] = rgb[3 * x + 1];
      bgr[3 * x + 2] = rgb[3 * x];
    }
    setRow(row, bgr.data());
  }
  return kLoaded;
}

uint8_t* Bitmap24::rowPointer(int rowFromTop) {
  return bytes_.data() + kHeaderBytes + static_cast<size_t>(height_ - 1 - rowFromTop) * stride();
}

const uint8_t* Bitmap24::rowFromTop(int row) const {
  if (row < 0 || row >= height_) return nullptr;
  return bytes_.data() + kHeaderBytes + static_cast<size_t>(height_ - 1 - row) * stride();
}

void Bitmap24::setRow(int rowFromTop, const uint8_t* bgr) {
  if (rowFromTop < 0 || rowFromTop >= height_) return;
  std::memcpy(rowPointer(rowFromTop), bgr, static_cast<size_t>(width_) * 3);
}

}  // namespace celvaro
