#include "platform/text_line_reader.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_files.h"

namespace celvaro {
namespace {

using testing::ScratchDir;
using testing::writeBytes;

std::vector<std::string> allLines(const std::string& path) {
  TextLineReader reader(path);
  std::vector<std::string> lines;
  std::string line;
  while (reader.next(line)) lines.push_back(line);
  return lines;
}

TEST(TextLineReader, FoldsCrLfAndKeepsTheLastLineWithoutEnd) {
  ScratchDir dir;
  writeBytes(dir.file("a"), "one\r\ntwo\nthree\r\rfour");
  EXPECT_EQ(allLines(dir.file("a")),
            (std::vector<std::string>{"one\n", "two\n", "three\r\rfour"}));
}

TEST(TextLineReader, CutsOverlongLinesAndSkipsTheirRest) {
  ScratchDir dir;
  // A key in the tail of an overlong line must not be read as a line.
  writeBytes(dir.file("a"), std::string(2000, 'x') + "key=99" + std::string(100, 'x') + "\nnext\n");
  auto lines = allLines(dir.file("a"));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], std::string(1023, 'x'));
  EXPECT_EQ(lines[1], "next\n");
}

TEST(TextLineReader, ALineOfExactly1023CharactersIsWhole) {
  ScratchDir dir;
  writeBytes(dir.file("a"), std::string(1022, 'y') + "\nz\n");
  auto lines = allLines(dir.file("a"));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), 1023u);
  EXPECT_EQ(lines[1], "z\n");
}

TEST(TextLineReader, MissingFilesDirectoriesAndBinaryDataEndQuietly) {
  ScratchDir dir;
  EXPECT_FALSE(TextLineReader(dir.file("missing")).isOpen());
  EXPECT_TRUE(allLines(dir.file("missing")).empty());
  EXPECT_TRUE(allLines(dir.path().string()).empty());
  writeBytes(dir.file("bin"), std::string("\0\0a\0\n\xff", 6));
  auto lines = allLines(dir.file("bin"));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], std::string("\0\0a\0\n", 5));
}

}  // namespace
}  // namespace celvaro
