#include "output/picture_decoding.h"

#include <png.h>
#include <turbojpeg.h>

#include <cstring>
#include <memory>

namespace celvaro {
namespace {

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool withinLimit(int64_t width, int64_t height, int64_t maxPixels) {
  return width > 0 && height > 0 && width * height <= maxPixels;
}

// A progressive JPEG of very many scans would take minutes: the scans are
// limited.
bool decodeJpeg(const uint8_t* bytes, size_t size, int64_t maxPixels, DecodedPicture& out) {
  const std::unique_ptr<void, int (*)(tjhandle)> decoder(tjInitDecompress(), tjDestroy);
  if (!decoder) return false;
  const auto length = static_cast<unsigned long>(size);
  int width = 0, height = 0, subsampling = 0, colourSpace = 0;
  if (tjDecompressHeader3(decoder.get(), bytes, length, &width, &height, &subsampling, &colourSpace) != 0 ||
      !withinLimit(width, height, maxPixels)) {
    return false;
  }
  out.rgb.assign(static_cast<size_t>(width) * height * 3, 0);
  // A warning (a damaged stretch, bytes after the end) still leaves a
  // whole picture, as a viewer would show it.
  if (tjDecompress2(decoder.get(), bytes, length, out.rgb.data(), width, 0, height, TJPF_RGB, TJFLAG_LIMITSCANS) != 0 &&
      tjGetErrorCode(decoder.get()) != TJERR_WARNING) {
    out.rgb.clear();
    return false;
  }
  out.width = width, out.height = height;
  return true;
}

bool decodePng(const uint8_t* bytes, size_t size, int64_t maxPixels, DecodedPicture& out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes, size)) return false;
  if (!withinLimit(image.width, image.height, maxPixels)) {
    png_image_free(&image);
    return false;
  }
  image.format = PNG_FORMAT_RGB;
  out.rgb.assign(PNG_IMAGE_SIZE(image), 0);
  if (!png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr)) {
    png_image_free(&image);
    out.rgb.clear();
    return false;
  }
  out.width = static_cast<int>(image.width), out.height = static_cast<int>(image.height);
  return true;
}

}  // namespace

PictureKind pictureKind(const uint8_t* bytes, size_t size) {
  if (size >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) return PictureKind::kJpeg;
  if (size >= sizeof kPngSignature && std::memcmp(bytes, kPngSignature, sizeof kPngSignature) == 0) {
    return PictureKind::kPng;
  }
  return PictureKind::kNone;
}

bool decodePicture(const uint8_t* bytes, size_t size, int64_t maxPixels, DecodedPicture& out) {
  out = {};
  switch (pictureKind(bytes, size)) {
    case PictureKind::kJpeg: return decodeJpeg(bytes, size, maxPixels, out);
    case PictureKind::kPng: return decodePng(bytes, size, maxPixels, out);
    case PictureKind::kNone: return false;
  }
  return false;
}

}  // namespace celvaro
