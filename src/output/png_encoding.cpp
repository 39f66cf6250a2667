#include "output/png_encoding.h"

#include <zlib.h>

#include <array>
#include <cstring>
#include <optional>
#include <thread>
#include <vector>

namespace celvaro {
namespace {

constexpr uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t kColourPalette = 3, kColourRgb = 2;

void appendBigEndian(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

// Closes the chunk whose length field starts at `start`: its length and the
// CRC of its type and data.
void closeChunk(std::string& out, size_t start) {
  const size_t length = out.size() - start - 8;
  for (int i = 0; i < 4; ++i) out[start + i] = static_cast<char>((length >> (24 - 8 * i)) & 0xFF);
  const auto* typeAndData = reinterpret_cast<const Bytef*>(out.data() + start + 4);
  appendBigEndian(out, static_cast<uint32_t>(crc32(0, typeAndData, static_cast<uInt>(length + 4))));
}

size_t openChunk(std::string& out, const char* type) {
  const size_t start = out.size();
  out.append(4, '\0');
  out.append(type, 4);
  return start;
}

// The picture's colours in order of first appearance and each pixel's index
// into them, or nothing when there are more than 256.
struct Palette {
  std::vector<uint32_t> colours;
  std::vector<uint8_t> indices;  // width x height
};

class ColourIndex {
 public:
  // The colour's index, added when new; -1 once a 257th colour appears.
  int indexOf(uint32_t colour, std::vector<uint32_t>& colours) {
    size_t slot = (colour * 2654435761u) >> 23;  // 9 bits: 512 slots for at most 256 colours
    while (used_[slot]) {
      if (colours[index_[slot]] == colour) return index_[slot];
      slot = (slot + 1) & 511;
    }
    if (colours.size() == 256) return -1;
    used_[slot] = true;
    index_[slot] = static_cast<uint8_t>(colours.size());
    colours.push_back(colour);
    return index_[slot];
  }

 private:
  std::array<bool, 512> used_{};
  std::array<uint8_t, 512> index_{};
};

std::optional<Palette> paletteOf(const PixelRows& picture) {
  Palette palette;
  // Filled as the colours are found, so a picture of many colours gives up
  // before it has touched memory for every pixel.
  palette.indices.reserve(static_cast<size_t>(picture.width) * picture.height);
  ColourIndex index;
  uint32_t last = 0;
  int lastIndex = -1;
  for (int y = 0; y < picture.height; ++y) {
    const uint32_t* row = picture.pixels + y * picture.stride;
    for (int x = 0; x < picture.width; ++x) {
      const uint32_t colour = row[x] & 0xFFFFFF;
      if (colour != last || lastIndex < 0) {
        lastIndex = index.indexOf(colour, palette.colours);
        if (lastIndex < 0) return std::nullopt;
        last = colour;
      }
      palette.indices.push_back(static_cast<uint8_t>(lastIndex));
    }
  }
  return palette;
}

// One row's bytes, filtered, after the filter byte.
void filterRow(PngFilter filter, const uint8_t* row, const uint8_t* prior, size_t size, size_t step, uint8_t* out) {
  *out++ = static_cast<uint8_t>(filter);
  // The byte each byte is told as a difference from: none, the pixel to the
  // left, or the one above (none on the first row).
  const uint8_t* base = filter == PngFilter::kSub ? row : filter == PngFilter::kUp ? prior : nullptr;
  const size_t shift = filter == PngFilter::kSub ? step : 0;
  if (!base) {
    std::memcpy(out, row, size);
    return;
  }
  std::memcpy(out, row, shift);
  for (size_t i = shift; i < size; ++i) out[i] = static_cast<uint8_t>(row[i] - base[i - shift]);
}

// Deflates filtered rows into `out` as raw deflate: a part that is not the
// last ends at a byte boundary with its blocks open, so parts made apart
// join into one stream.
class RowDeflater {
 public:
  RowDeflater(const PngChoice& choice, std::string& out) : out_(out) {
    ok_ = deflateInit2(&stream_, choice.level, Z_DEFLATED, -15, 8, choice.runLengths ? Z_RLE : Z_DEFAULT_STRATEGY) ==
          Z_OK;
  }
  ~RowDeflater() { deflateEnd(&stream_); }
  RowDeflater(const RowDeflater&) = delete;
  RowDeflater& operator=(const RowDeflater&) = delete;

  bool add(const uint8_t* bytes, size_t size, int flush) {
    stream_.next_in = const_cast<Bytef*>(bytes);
    stream_.avail_in = static_cast<uInt>(size);
    int result = Z_OK;
    do {
      std::array<uint8_t, 65536> buffer;
      stream_.next_out = buffer.data();
      stream_.avail_out = buffer.size();
      result = deflate(&stream_, flush);
      if (result == Z_STREAM_ERROR) return ok_ = false;
      out_.append(reinterpret_cast<const char*>(buffer.data()), buffer.size() - stream_.avail_out);
    } while (stream_.avail_out == 0 || (flush == Z_FINISH && result != Z_STREAM_END));
    return ok_;
  }
  bool ok() const { return ok_; }

 private:
  z_stream stream_{};
  std::string& out_;
  bool ok_ = false;
};

// The bytes of row `y`: palette indices, or red, green and blue.
const uint8_t* rowBytes(const PixelRows& picture, const std::optional<Palette>& palette, int y, std::vector<uint8_t>& rgb) {
  if (palette) return palette->indices.data() + static_cast<size_t>(y) * picture.width;
  const uint32_t* row = picture.pixels + y * picture.stride;
  for (int x = 0; x < picture.width; ++x) {
    rgb[3 * x] = static_cast<uint8_t>(row[x] >> 16);
    rgb[3 * x + 1] = static_cast<uint8_t>(row[x] >> 8);
    rgb[3 * x + 2] = static_cast<uint8_t>(row[x]);
  }
  return rgb.data();
}

// Rows [first, end) filtered and deflated, with the Adler-32 and the count
// of the bytes that went in.
struct DeflatedRows {
  std::string bytes;
  uLong adler = adler32(0, nullptr, 0);
  uLong length = 0;
  bool ok = false;
};

DeflatedRows deflateRows(const PixelRows& picture, const std::optional<Palette>& palette, const PngChoice& choice,
                         int first, int end) {
  const size_t step = palette ? 1 : 3, size = step * picture.width;
  std::vector<uint8_t> rgb[2] = {std::vector<uint8_t>(size), std::vector<uint8_t>(size)};
  std::vector<uint8_t> filtered(size + 1);
  DeflatedRows part;
  RowDeflater deflater(choice, part.bytes);
  // The row above the first is read again: the "up" filter tells from it.
  const uint8_t* prior = first > 0 ? rowBytes(picture, palette, first - 1, rgb[(first - 1) & 1]) : nullptr;
  for (int y = first; y < end && deflater.ok(); ++y) {
    const uint8_t* row = rowBytes(picture, palette, y, rgb[y & 1]);
    filterRow(choice.filter, row, prior, size, step, filtered.data());
    part.adler = adler32(part.adler, filtered.data(), static_cast<uInt>(filtered.size()));
    part.length += filtered.size();
    const bool last = y + 1 == end;
    deflater.add(filtered.data(), filtered.size(), !last ? Z_NO_FLUSH : end == picture.height ? Z_FINISH : Z_SYNC_FLUSH);
    prior = row;
  }
  part.ok = deflater.ok();
  return part;
}

// A picture this tall is deflated in two halves at once, one on a thread of
// its own; each half starts with an empty window, which costs a few bytes.
constexpr int kRowsWorthAThread = 128;

// The zlib stream of the filtered rows: header, the halves' deflate data
// one after the other, and the Adler-32 of all the rows.
bool appendImageData(const PixelRows& picture, const std::optional<Palette>& palette, const PngChoice& choice, std::string& out) {
  const int middle = picture.height >= kRowsWorthAThread ? picture.height / 2 : 0;
  DeflatedRows top;
  std::thread topThread;
  if (middle > 0) topThread = std::thread([&] { top = deflateRows(picture, palette, choice, 0, middle); });
  const DeflatedRows bottom = deflateRows(picture, palette, choice, middle, picture.height);
  if (topThread.joinable()) topThread.join();
  if (middle > 0 && !top.ok) return false;
  // CMF 0x78: deflate with a 32 KB window; FLG makes the pair a multiple of 31.
  out += '\x78';
  out += '\x01';
  out += top.bytes;
  out += bottom.bytes;
  appendBigEndian(out, static_cast<uint32_t>(adler32_combine(top.adler, bottom.adler, static_cast<z_off_t>(bottom.length))));
  return bottom.ok;
}

void appendHeader(const PixelRows& picture, bool palette, std::string& out) {
  out.append(reinterpret_cast<const char*>(kSignature), sizeof kSignature);
  const size_t header = openChunk(out, "IHDR");
  appendBigEndian(out, static_cast<uint32_t>(picture.width));
  appendBigEndian(out, static_cast<uint32_t>(picture.height));
  // Bit depth 8, the colour type, deflate, adaptive filtering, no interlace.
  out += '\x08';
  out += static_cast<char>(palette ? kColourPalette : kColourRgb);
  out.append(3, '\0');
  closeChunk(out, header);
}

void appendPalette(const Palette& palette, std::string& out) {
  const size_t start = openChunk(out, "PLTE");
  for (const uint32_t colour : palette.colours) {
    out += static_cast<char>(colour >> 16);
    out += static_cast<char>(colour >> 8);
    out += static_cast<char>(colour);
  }
  closeChunk(out, start);
}

}  // namespace

bool encodePng(const PixelRows& picture, std::string& out, const PngChoice& choice) {
  if (!picture.pixels || picture.width <= 0 || picture.height <= 0 || picture.stride < size_t(picture.width)) return false;
  const std::optional<Palette> palette = choice.palette ? paletteOf(picture) : std::nullopt;
  const size_t before = out.size();
  appendHeader(picture, palette.has_value(), out);
  if (palette) appendPalette(*palette, out);
  const size_t data = openChunk(out, "IDAT");
  if (!appendImageData(picture, palette, choice, out)) {
    out.resize(before);
    return false;
  }
  closeChunk(out, data);
  closeChunk(out, openChunk(out, "IEND"));
  return true;
}

}  // namespace celvaro
