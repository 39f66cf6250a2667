#include "output/picture_check.h"

#include <cstring>

namespace celvaro {
namespace {

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t kStartOfScan = 0xDA, kHuffmanTables = 0xC4;
constexpr size_t kTableCountBytes = 17;  // class and slot, then 16 code counts
constexpr int kMaxCodes = 256;

// The tables of one DHT segment's payload; each is its class byte, sixteen
// counts and as many symbols as the counts sum to.
bool huffmanTablesSound(const uint8_t* payload, size_t length) {
  size_t at = 0;
  while (at < length) {
    if (length - at < kTableCountBytes) return false;
    int codes = 0;
    for (size_t i = 1; i < kTableCountBytes; ++i) codes += payload[at + i];
    if (codes > kMaxCodes || length - at - kTableCountBytes < static_cast<size_t>(codes)) return false;
    at += kTableCountBytes + static_cast<size_t>(codes);
  }
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

// The Huffman segment at `at` (its marker): inside the file, its tables sound.
bool huffmanSegmentSound(const uint8_t* bytes, size_t size, size_t at) {
  if (size - at < 4) return false;
  const size_t length = static_cast<size_t>(bytes[at + 2]) << 8 | bytes[at + 3];
  return length >= 2 && size - at - 2 >= length && huffmanTablesSound(bytes + at + 4, length - 2);
}

// After the first scan the decoder takes its markers wherever the entropy-
// coded data lead it, so every FF C4 from there on must begin a sound
// Huffman segment (in a sound file only real segments hold that pair).
bool huffmanSegmentsAfterScanSound(const uint8_t* bytes, size_t size, size_t from) {
  for (size_t at = from; at + 1 < size; ++at) {
    if (bytes[at] == 0xFF && bytes[at + 1] == kHuffmanTables && !huffmanSegmentSound(bytes, size, at)) return false;
  }
  return true;
}

bool pngChunksSound(const uint8_t* bytes, size_t size) {
  constexpr size_t kChunkFrame = 12;  // length, type, then the checksum after the data
  size_t at = sizeof kPngSignature;
  while (size - at >= kChunkFrame) {
    const size_t length = static_cast<size_t>(bytes[at]) << 24 | static_cast<size_t>(bytes[at + 1]) << 16 |
                          static_cast<size_t>(bytes[at + 2]) << 8 | bytes[at + 3];
    if (std::memcmp(bytes + at + 4, "IDAT", 4) == 0) return length > 0;
    if (length > size - at - kChunkFrame) return false;
    at += kChunkFrame + length;
  }
  return false;
}

bool jpegTablesSound(const uint8_t* bytes, size_t size) {
  size_t at = 2;  // after the start-of-image marker
  while (at < size) {
    if (bytes[at] != 0xFF || at + 1 >= size) return false;
    const uint8_t marker = bytes[at + 1];
    if (marker == 0xFF) {  // fill byte before a marker
      ++at;
      continue;
    }
    if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // segments without length
      at += 2;
      continue;
    }
    if (marker == 0xD9) return true;  // end of image before any scan
    if (size - at < 4) return false;
    const size_t length = static_cast<size_t>(bytes[at + 2]) << 8 | bytes[at + 3];
    if (length < 2 || size - at - 2 < length) return false;
    if (marker == kHuffmanTables && !huffmanSegmentSound(bytes, size, at)) return false;
    if (marker == kStartOfScan) return huffmanSegmentsAfterScanSound(bytes, size, at + 2 + length);
    at += 2 + length;
  }
  return false;
}

}  // namespace celvaro
