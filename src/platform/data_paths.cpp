#include "platform/data_paths.h"

#include <algorithm>
#include <filesystem>

namespace celvaro {
namespace {

struct DataOverride {
  std::string programDir, overrideDir;
};

DataOverride& dataOverride() {
  static DataOverride paths;
  return paths;
}

std::string joinedPath(const std::string& directory, const std::string& relativePath) {
  std::string name = relativePath;
  std::replace(name.begin(), name.end(), '\\', '/');
  while (!name.empty() && name.front() == '/') name.erase(0, 1);
  std::string path = directory;
  if (!path.empty() && path.back() != '/') path += '/';
  return (path + name).substr(0, 1023);
}

}  // namespace

void setDataOverride(const std::string& programDir, const std::string& overrideDir) {
  dataOverride() = {programDir, overrideDir};
}

std::vector<std::string> dataPathCandidates(const std::string& directory, const std::string& relativePath) {
  std::vector<std::string> paths;
  const DataOverride& current = dataOverride();
  if (!current.overrideDir.empty() && directory == current.programDir) {
    paths.push_back(joinedPath(current.overrideDir, relativePath));
  }
  paths.push_back(joinedPath(directory, relativePath));
  return paths;
}

std::string resolveDataPath(const std::string& directory, const std::string& relativePath) {
  const std::vector<std::string> paths = dataPathCandidates(directory, relativePath);
  std::error_code error;
  for (size_t i = 0; i + 1 < paths.size(); ++i) {
    if (std::filesystem::exists(paths[i], error)) return paths[i];
  }
  return paths.back();
}

}  // namespace celvaro
