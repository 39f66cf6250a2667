#include "fuzz_files.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace celvaro::fuzz {
namespace {

// This process's directory, removed when the process ends.
struct ScratchDirectory {
  ScratchDirectory() : path((std::filesystem::temp_directory_path() / ("celvaro-fuzz-" + std::to_string(::getpid()))).string()) {
    std::filesystem::create_directories(path);
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::string path;
};

}  // namespace

const std::string& scratchDirectory() {
  static const ScratchDirectory directory;
  return directory.path;
}

std::string writeScratchFile(std::string_view name, std::string_view bytes) {
  const std::filesystem::path path = std::filesystem::path(scratchDirectory()) / name;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

void removeScratchFile(std::string_view name) {
  std::error_code ignored;
  std::filesystem::remove(std::filesystem::path(scratchDirectory()) / name, ignored);
}

std::vector<std::string_view> splitParts(std::string_view input, size_t count) {
  std::vector<std::string_view> parts(count);
  for (size_t i = 0; i < count; ++i) {
    const size_t end = i + 1 < count ? input.find(kPartSeparator) : std::string_view::npos;
    parts[i] = input.substr(0, end);
    if (end == std::string_view::npos) break;
    input.remove_prefix(end + kPartSeparator.size());
  }
  return parts;
}

std::string joinParts(const std::vector<std::string>& parts) {
  std::string joined;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) joined += kPartSeparator;
    joined += parts[i];
  }
  return joined;
}

}  // namespace celvaro::fuzz
