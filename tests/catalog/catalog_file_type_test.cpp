#include "catalog/catalog_file_type.h"

#include <gtest/gtest.h>

#include "platform/binary_file.h"
#include "test_files.h"

namespace celvaro {
namespace {

using testing::ScratchDir;
using testing::writeBytes;

int typeOf(const ScratchDir& dir, const std::string& bytes) {
  writeBytes(dir.file("f"), bytes);
  return detectCatalogFileType(dir.file("f"));
}

std::string magic(const char* name, uint32_t version) {
  std::string bytes(name, 8);
  appendU32(bytes, version);
  appendU32(bytes, 0);
  return bytes;
}

TEST(CatalogFileType, BinaryMagicsAndVersions) {
  ScratchDir dir;
  EXPECT_EQ(typeOf(dir, magic("CLV_STD1", 77)), kFileStarsSimple);
  EXPECT_EQ(typeOf(dir, magic("CLV_GCVS", 3)), kFileVariablesV3);
  EXPECT_EQ(typeOf(dir, magic("CLV_GCVS", 4)), kFileVariablesV4);
  EXPECT_EQ(typeOf(dir, magic("CLV_GCVS", 5)), kFileVariablesV5);
  EXPECT_EQ(typeOf(dir, magic("CLV_WDSC", 4)), kFileDoublesV4);
  EXPECT_EQ(typeOf(dir, magic("CLV_DSCN", 3)), kFileDeepskyV3);
  EXPECT_EQ(typeOf(dir, magic("CLV_DSCN", 6)), kFileUnknown);  // unlisted version, binary text
  EXPECT_EQ(detectCatalogFileType(dir.file("missing")), kFileCannotOpen);
}

TEST(CatalogFileType, TextHeaders) {
  ScratchDir dir;
  EXPECT_EQ(typeOf(dir, "# a comment\ntype = s_gsc\r\n"), kFileStarsGsc);
  EXPECT_EQ(typeOf(dir, "type = s_gscx\n"), kFileUnknown);
  EXPECT_EQ(typeOf(dir, "  type = s_gsc\n"), kFileUnknown);  // skipped like a comment; nothing follows
  EXPECT_EQ(typeOf(dir, "  type = s_gsc\ntype=s2\n"), kFileStarsSegmented);
  EXPECT_EQ(typeOf(dir, "type\t==\ts_usnoa"), kFileStarsUsnoA);
  EXPECT_EQ(typeOf(dir, "type s1\n"), kFileStarsSimple);
  EXPECT_EQ(typeOf(dir, "type = s_usnosa\n"), kFileStarsUsnoSa);
  EXPECT_EQ(typeOf(dir, "kind = s1\n"), kFileUnknown);
  EXPECT_EQ(typeOf(dir, ""), kFileUnknown);
}

}  // namespace
}  // namespace celvaro
