#include "catalog/catalog_file_type.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "platform/binary_file.h"
#include "platform/text_line_reader.h"

namespace celvaro {
namespace {

struct MagicType {
  const char* magic;
  int version;  // 0: any version
  int type;
};

constexpr MagicType kMagicTypes[] = {
    {"CLV_STD1", 0, kFileStarsSimple}, {"CLV_DSCN", 3, kFileDeepskyV3}, {"CLV_DSCN", 4, kFileDeepskyV4},
    {"CLV_GCVS", 3, kFileVariablesV3}, {"CLV_GCVS", 4, kFileVariablesV4}, {"CLV_GCVS", 5, kFileVariablesV5},
    {"CLV_WDSC", 3, kFileDoublesV3},   {"CLV_WDSC", 4, kFileDoublesV4},
};

struct TextType {
  const char* name;
  int type;
};

constexpr TextType kTextTypes[] = {{"s1", kFileStarsSimple},     {"s2", kFileStarsSegmented},
                                   {"s_gsc", kFileStarsGsc},     {"s_usnoa", kFileStarsUsnoA},
                                   {"s_usnosa", kFileStarsUsnoSa}};

int binaryType(const uint8_t (&head)[16]) {
  const int version = static_cast<int32_t>(loadU32(head + 8));
  for (const MagicType& m : kMagicTypes) {
    if (std::memcmp(head, m.magic, 8) == 0 && (m.version == 0 || m.version == version)) return m.type;
  }
  return kFileUnknown;
}

// The text header: the first line not beginning with "#" or a blank must
// be "type", blanks, tabs or "=" signs, and one of the known names exactly.
int textType(const std::string& path) {
  TextLineReader reader(path);
  if (!reader.isOpen()) return kFileCannotOpen;
  std::string line;
  while (reader.next(line)) {
    if (line.empty() || line[0] == '#' || line[0] == ' ' || line[0] == '\t' || line[0] == '\n') continue;
    if (line.rfind("type", 0) != 0) return kFileUnknown;
    size_t start = line.find_first_not_of(" \t=", 4);
    std::string value = start == std::string::npos ? "" : line.substr(start);
    while (!value.empty() && (value.back() == '\n' || value.back() == '\r')) value.pop_back();
    for (const TextType& t : kTextTypes) {
      if (value == t.name) return t.type;
    }
    return kFileUnknown;
  }
  return kFileUnknown;
}

}  // namespace

int detectCatalogFileType(const std::string& path) {
  uint8_t head[16] = {};
  {
    BinaryFile file(path);
    if (!file.isOpen()) return kFileCannotOpen;
    if (file.read(head, sizeof head)) {
      if (int type = binaryType(head); type != kFileUnknown) return type;
    }
  }
  return textType(path);
}

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
