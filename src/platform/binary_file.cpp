#include "platform/binary_file.h"

namespace celvaro {

BinaryFile::BinaryFile(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {}

BinaryFile::~BinaryFile() {
  if (file_) std::fclose(file_);
}

bool BinaryFile::read(void* buffer, size_t count) {
  return file_ && std::fread(buffer, 1, count, file_) == count;
}

bool BinaryFile::readInto(std::vector<uint8_t>& out, size_t count) {
  const size_t start = out.size();
  out.resize(start + count);
  if (read(out.data() + start, count)) return true;
  out.resize(start);
  return false;
}

}  // namespace celvaro
