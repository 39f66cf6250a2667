#include "platform/binary_file.h"

#include <cstdint>
#include <sys/types.h>

#include "platform/regular_file.h"

namespace celvaro {

BinaryFile::BinaryFile(const std::string& path) : file_(openRegularFile(path)) {}

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

bool BinaryFile::seek(uint64_t offset) {
  return file_ && offset <= static_cast<uint64_t>(INT64_MAX) &&
         fseeko(file_, static_cast<off_t>(offset), SEEK_SET) == 0;
}

int64_t BinaryFile::size() {
  if (!file_) return -1;
  const off_t here = ftello(file_);
  if (fseeko(file_, 0, SEEK_END) != 0) return -1;
  const off_t end = ftello(file_);
  fseeko(file_, here, SEEK_SET);
  return end;
}

bool readWholeFile(const std::string& path, std::string& out) {
  out.clear();
  BinaryFile file(path);
  const int64_t size = file.isOpen() ? file.size() : -1;
  if (size < 0) return false;
  out.resize(static_cast<size_t>(size));
  if (size > 0 && !file.read(out.data(), out.size())) {
    out.clear();
    return false;
  }
  return true;
}

}  // namespace celvaro
