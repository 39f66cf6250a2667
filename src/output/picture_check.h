// What a picture file must show before it is handed to the decoder: a
// JPEG or PNG signature; in a JPEG, marker segments up to the first scan
// that lie inside the file, and Huffman tables of at most 256 codes
// wherever the decoder may meet one; in a PNG, a first image data chunk
// that holds something.
// The decoder trusts a table's code counts and writes one entry per code
// into a table of 256, so a damaged or hostile photo must stop here.
#pragma once

#include <cstddef>
#include <cstdint>

namespace celvaro {

enum class PictureKind { kNone, kJpeg, kPng };

PictureKind pictureKind(const uint8_t* bytes, size_t size);

// False when the chunks before the first image data run past the end or
// that data chunk is empty: the decoder copies the first chunk into a
// buffer it has not yet made when the chunk holds nothing.
bool pngChunksSound(const uint8_t* bytes, size_t size);

// False when a segment before the first scan runs past the end, or a
// Huffman segment (before the scan, or any FF C4 after it) runs past the
// end or holds a table whose counts sum to more than 256 or past it.
bool jpegTablesSound(const uint8_t* bytes, size_t size);

}  // namespace celvaro
