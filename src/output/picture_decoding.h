// Decoding photos: JPEG through TurboJPEG, PNG through libpng's simplified
// reader, both made to take files from anywhere (a damaged or hostile file
// ends in an error, never in memory outside the picture). The kind is told
// by the signature, not by the file name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace celvaro {

enum class PictureKind { kNone, kJpeg, kPng };

PictureKind pictureKind(const uint8_t* bytes, size_t size);

// Rows from the top, three bytes (red, green, blue) a pixel.
struct DecodedPicture {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
};

// False when the bytes are no whole JPEG or PNG, or hold more than
// `maxPixels` pixels.
bool decodePicture(const uint8_t* bytes, size_t size, int64_t maxPixels, DecodedPicture& out);

}  // namespace celvaro
