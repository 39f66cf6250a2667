// What the fuzz targets share about files: the input written where a
// reader expects its file, and inputs that stand for several files at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace celvaro::fuzz {

// Between the files of an input that stands for several.
constexpr std::string_view kPartSeparator = "\n@@next file@@\n";

// The input as text.
inline std::string_view inputText(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// This process's own directory for the files of one input, made on first
// use and removed at exit.
const std::string& scratchDirectory();

// Writes `bytes` to `name` under the scratch directory (sub-directories
// made as needed) and gives its full path.
std::string writeScratchFile(std::string_view name, std::string_view bytes);

// Removes a file of the scratch directory, so that a reader finds none.
void removeScratchFile(std::string_view name);

// The first `count` parts of the input split at kPartSeparator; parts the
// input lacks are empty, the last part keeps whatever follows.
std::vector<std::string_view> splitParts(std::string_view input, size_t count);

// The files joined the way splitParts takes them apart (for the seeds).
std::string joinParts(const std::vector<std::string>& parts);

}  // namespace celvaro::fuzz
