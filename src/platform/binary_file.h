// Reading binary files piece by piece, each read checked: a read that the
// file cannot satisfy in full fails instead of yielding partial data.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cstring>
#include <string>
#include <vector>

namespace celvaro {

// Only regular files open: a directory or a device is treated as missing.
class BinaryFile {
 public:
  explicit BinaryFile(const std::string& path);
  ~BinaryFile();
  BinaryFile(const BinaryFile&) = delete;
  BinaryFile& operator=(const BinaryFile&) = delete;

  bool isOpen() const { return file_ != nullptr; }
  // Exactly `count` bytes, or false.
  bool read(void* buffer, size_t count);
  // Exactly `count` bytes appended to `out`, or false and `out` unchanged.
  bool readInto(std::vector<uint8_t>& out, size_t count);
  // Moves to a byte offset from the start; reads past the end still fail.
  bool seek(uint64_t offset);
  // The file's size in bytes, or -1.
  int64_t size();

 private:
  std::FILE* file_ = nullptr;
};

// The whole of a regular file; false, and `out` empty, when it cannot be
// opened or read in full.
bool readWholeFile(const std::string& path, std::string& out);

// Little-endian values inside a byte buffer.
inline uint16_t loadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t loadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline double loadF64(const uint8_t* p) {
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | p[i];
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// `count` values of a little-endian column in a byte buffer into `column`
// (the host is little-endian, like the files).
template <typename T>
void loadColumn(const uint8_t* bytes, size_t count, std::vector<T>& column) {
  column.resize(count);
  if (count > 0) std::memcpy(column.data(), bytes, count * sizeof(T));
}

inline void appendU16(std::string& out, uint16_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}
inline void appendU32(std::string& out, uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((v >> shift) & 0xFF);
}

}  // namespace celvaro
