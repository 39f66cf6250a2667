#include "platform/mapped_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "test_files.h"

namespace celvaro {
namespace {

TEST(MappedFile, HoldsExactlyTheFileOrNothing) {
  const testing::ScratchDir dir;
  std::string written(70000, '\0');
  for (size_t i = 0; i < written.size(); ++i) written[i] = static_cast<char>(i * 7 + i / 251);
  std::ofstream(dir.file("data.bin"), std::ios::binary) << written;
  std::ofstream(dir.file("empty.bin"), std::ios::binary).flush();

  MappedFile data(dir.file("data.bin"));
  ASSERT_TRUE(data.isOpen());
  ASSERT_EQ(data.size(), written.size());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(data.bytes().data()), data.size()), written);

  MappedFile moved = std::move(data);
  EXPECT_FALSE(data.isOpen());
  EXPECT_TRUE(data.bytes().empty());
  EXPECT_EQ(moved[69999], static_cast<uint8_t>(written[69999]));

  const MappedFile empty(dir.file("empty.bin"));
  EXPECT_TRUE(empty.isOpen());
  EXPECT_TRUE(empty.empty());
  EXPECT_FALSE(MappedFile(dir.file("missing.bin")).isOpen());
  EXPECT_FALSE(MappedFile(dir.path().string()).isOpen());  // a directory
}

}  // namespace
}  // namespace celvaro
