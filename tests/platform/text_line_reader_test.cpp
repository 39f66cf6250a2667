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

// A line of 1023 characters is whole; a longer one is cut there, and a key
// in its tail must not be read as a line.
TEST(TextLineReader, CutsOverlongLinesAndSkipsTheirRest) {
  ScratchDir dir;
  writeBytes(dir.file("a"), std::string(1022, 'y') + "\n" + std::string(2000, 'x') + "key=99" + std::string(100, 'x') +
                                "\nnext\n");
  const auto lines = allLines(dir.file("a"));
  EXPECT_EQ(lines, (std::vector<std::string>{std::string(1022, 'y') + "\n", std::string(1023, 'x'), "next\n"}));
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
