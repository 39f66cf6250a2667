// Photographs of deep-sky objects: JPEG files in data/photos named by the
// object, "M_31.jpg", "NGC_0224.jpg", "IC_1396.jpg".
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace celvaro {

constexpr const char* kPhotoDirectory = "data/photos";

// Object keys: the kind in the top 8 bits (1 Messier, 2 NGC, 3 IC, as the
// deep-sky identifier codes) and the catalog number in the low 24 bits.
constexpr int32_t photoKey(int kind, int32_t number) { return (kind << 24) | (number & 0xFFFFFF); }

// The key a photo's file name stands for: the kind from the prefix "M_",
// "NGC_" or "IC_", the number from up to four characters after it (leading
// blanks and zeros skipped, an optional sign, then digits); none for
// another prefix, number 0 or a name not ending in ".jpg".
std::optional<int32_t> photoKeyOfFileName(const std::string& fileName);

// The path ("data/photos/" and the file name, relative to the program
// directory) of the first photo, in the order of the file names, that
// shows either object; none when there is none.
std::optional<std::string> findPhoto(const std::string& programDirectory, int32_t first, int32_t second);

}  // namespace celvaro
