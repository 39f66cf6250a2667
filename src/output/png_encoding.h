// PNG files written quickly: a palette image when the picture has no more
// than 256 colours, else 8-bit RGB; one row filter for the whole picture and
// a low deflate level, since charts are mostly flat dark sky.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace celvaro {

// Pixels 0xXXRRGGBB (the top byte is ignored), row after row, `stride`
// pixels from the start of one row to the start of the next.
struct PixelRows {
  const uint32_t* pixels = nullptr;
  int width = 0, height = 0;
  size_t stride = 0;
};

enum class PngFilter : uint8_t { kNone = 0, kSub = 1, kUp = 2 };

struct PngChoice {
  int level = 1;              // deflate level 0..9
  PngFilter filter = PngFilter::kUp;
  bool palette = true;        // a palette image where the colours allow
  bool runLengths = false;    // deflate matching only runs of one byte
};

// The whole PNG file of the picture appended to `out`; false (and `out`
// unchanged) for an empty picture or a failure of the compressor.
bool encodePng(const PixelRows& picture, std::string& out, const PngChoice& choice = {});

}  // namespace celvaro
