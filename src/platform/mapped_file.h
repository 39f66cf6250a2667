// A regular file mapped read-only into memory, so that a reader touches only
// the pages it looks at instead of reading the whole file first. A file
// another program shortens while it is mapped does not end the process:
// its bytes past the new end read as zeros (readers check what they read).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace celvaro {

class MappedFile {
 public:
  MappedFile() = default;
  // A directory, a device or a file that cannot be mapped (more than 64
  // files mapped at once) reads as missing.
  explicit MappedFile(const std::string& path);
  ~MappedFile();
  MappedFile(MappedFile&& other) noexcept;
  MappedFile& operator=(MappedFile&& other) noexcept;
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  bool isOpen() const { return open_; }
  // Every byte the file held when it was mapped; empty for an empty file.
  std::span<const uint8_t> bytes() const { return {data_, size_}; }
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  const uint8_t& operator[](size_t offset) const { return data_[offset]; }
  void close();

 private:
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  bool open_ = false;
};

}  // namespace celvaro
