#include "catalog/catalog_file_type.h"

#include <cstring>

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

}  // namespace celvaro
