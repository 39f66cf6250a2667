#include "seed_sink.h"

#include <cstdio>
#include <fstream>

namespace celvaro::fuzz {

bool SeedSink::add(std::string_view target, std::string_view bytes) {
  const std::filesystem::path directory = root_ / target;
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  char name[32];
  std::snprintf(name, sizeof name, "seed-%03d", counts_[std::string(target)]++);
  std::ofstream file(directory / name, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (error || !file) failed_ = true;
  return !failed_;
}

}  // namespace celvaro::fuzz
