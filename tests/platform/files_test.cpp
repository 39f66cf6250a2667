// Files: data paths (the user's override of them is driven through the
// installed program by install/installed_tree_test.sh), the private
// directory, text lines, replacing a file's contents whole or not at all,
// and mapped files.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/data_paths.h"
#include "platform/file_replace.h"
#include "platform/mapped_file.h"
#include "platform/private_directory.h"
#include "platform/text_line_reader.h"
#include "full_disk.h"
#include "test_files.h"

// Built with AddressSanitizer, these tests leave bus errors to the program:
// the handler they check is the program's own, not the sanitizer's report.
extern "C" const char* __asan_default_options() { return "handle_sigbus=0"; }

namespace celvaro {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::ScratchDir;
using testing::writeBytes;

size_t entriesIn(const fs::path& dir) { return static_cast<size_t>(std::distance(fs::directory_iterator(dir), {})); }

unsigned modeOf(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

TEST(DataPaths, AreJoinedWithOneSeparator) {
  EXPECT_EQ(resolveDataPath("/opt/celvaro", "data\\stars.dat"), "/opt/celvaro/data/stars.dat");
  EXPECT_EQ(resolveDataPath("/opt/celvaro/", "/data/x"), "/opt/celvaro/data/x");
  EXPECT_EQ(resolveDataPath(std::string(2000, 'd'), "x").size(), 1023u);
}

// Made for this user alone, found again by a second run; what another user
// could have put at the fixed name is refused and left.
TEST(PrivateDirectory, IsMadeForThisUserAloneAndRefusesWhatOthersCouldEnterOrSwap) {
  ScratchDir dir;
  ASSERT_TRUE(makePrivateDirectory(dir.file("runtime")));
  EXPECT_EQ(modeOf(dir.file("runtime")), 0700u);
  EXPECT_TRUE(makePrivateDirectory(dir.file("runtime")));
  fs::create_directory(dir.file("open"));
  ::chmod(dir.file("open").c_str(), 0755);
  fs::create_directory_symlink(dir.file("open"), dir.file("link"));
  writeBytes(dir.file("file"), "x");
  for (const char* name : {"open", "link", "file"}) EXPECT_FALSE(makePrivateDirectory(dir.file(name))) << name;
  EXPECT_TRUE(fs::is_symlink(dir.file("link")));
  EXPECT_EQ(modeOf(dir.file("open")), 0755u);
}

std::vector<std::string> allLines(const std::string& path) {
  TextLineReader reader(path);
  std::vector<std::string> lines;
  for (std::string line; reader.next(line);) lines.push_back(line);
  return lines;
}

// CR LF folds to LF and the last line needs no end; a line of 1023
// characters is whole, a longer one is cut there and a key in its tail must
// not be read as a line; what is missing, a directory or binary data end
// quietly.
TEST(TextLineReader, LinesOfEveryShape) {
  ScratchDir dir;
  const struct { std::string bytes; std::vector<std::string> lines; } cases[] = {
      {"one\r\ntwo\nthree\r\rfour", {"one\n", "two\n", "three\r\rfour"}},
      {std::string(1022, 'y') + "\n" + std::string(2000, 'x') + "key=99" + std::string(100, 'x') + "\nnext\n",
       {std::string(1022, 'y') + "\n", std::string(1023, 'x'), "next\n"}},
      {std::string("\0\0a\0\n\xff", 6), {std::string("\0\0a\0\n", 5), "\xff"}},
  };
  for (const auto& c : cases) {
    writeBytes(dir.file("a"), c.bytes);
    EXPECT_EQ(allLines(dir.file("a")), c.lines) << c.bytes.substr(0, 20);
  }
  EXPECT_FALSE(TextLineReader(dir.file("missing")).isOpen());
  EXPECT_TRUE(allLines(dir.file("missing")).empty());
  EXPECT_TRUE(allLines(dir.path().string()).empty());
}

TEST(ReplaceFileContents, CreatesAndReplacesKeepingTheMode) {
  ScratchDir dir;
  const std::string path = dir.file("cfg");
  ASSERT_TRUE(replaceFileContents(path, "first\r\n"));
  EXPECT_EQ(readBytes(path), "first\r\n");
  ::chmod(path.c_str(), 0640);
  ASSERT_TRUE(replaceFileContents(path, std::string("second\0", 7)));
  EXPECT_EQ(readBytes(path), std::string("second\0", 7));
  EXPECT_EQ(modeOf(path), 0640u);
  EXPECT_EQ(entriesIn(dir.path()), 1u);  // no temporary file left behind
  EXPECT_FALSE(replaceFileContents(dir.file("no/such/dir/cfg"), "x"));
}

// A failed rename, or a write that fails part-way (a child whose file-size
// limit is below the new contents stands for a full disk), leaves the old
// file and no temporary, with the reason a message names in errno.
TEST(ReplaceFileContents, AFailedRenameOrWriteLeavesTheOldFileAndNoTemporary) {
  ScratchDir dir;
  const std::string path = dir.file("cfg");
  writeBytes(path, "old contents\n");
  auto failingRename = [](const char*, const char*) {
    errno = EXDEV;
    return -1;
  };
  EXPECT_FALSE(replaceFileContents(path, "new contents\n", failingRename));
  EXPECT_EQ(errno, EXDEV);
  // Refused, with the kernel's reason for the refused write.
  EXPECT_TRUE(testing::succeedsOnAFullDisk(
      [&] { return !replaceFileContents(path, std::string(4096, 'n')) && errno == EFBIG; }));
  EXPECT_EQ(readBytes(path), "old contents\n");
  EXPECT_EQ(entriesIn(dir.path()), 1u);
}

// A symbolic link is followed. A device is written into and stays one:
// /dev/full refuses the bytes with its own reason and is not replaced by a
// regular file, which renaming over the path would make of it (as root, even
// in /dev). FIFOs and /dev/null as outputs are checked through celvaro-chart
// (install/chart_files_test.sh).
TEST(ReplaceFileContents, FollowsLinksAndWritesIntoWhatIsNotARegularFile) {
  ScratchDir dir;
  writeBytes(dir.file("real"), "old");
  fs::create_symlink("real", dir.file("link"));
  ASSERT_TRUE(replaceFileContents(dir.file("link"), "new"));
  EXPECT_TRUE(fs::is_symlink(dir.file("link")));
  EXPECT_EQ(readBytes(dir.file("real")), "new");
  EXPECT_FALSE(replaceFileContents("/dev/full", "too much"));
  EXPECT_EQ(errno, ENOSPC);
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
  EXPECT_EQ(entriesIn(dir.path()), 2u);
}

TEST(MappedFile, HoldsExactlyTheFileOrNothing) {
  const testing::ScratchDir dir;
  std::string written(70000, '\0');
  for (size_t i = 0; i < written.size(); ++i) written[i] = static_cast<char>(i * 7 + i / 251);
  std::ofstream(dir.file("data.bin"), std::ios::binary) << written;
  std::ofstream(dir.file("empty.bin"), std::ios::binary).flush();
  const MappedFile data(dir.file("data.bin"));
  ASSERT_TRUE(data.isOpen());
  ASSERT_EQ(data.size(), written.size());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(data.bytes().data()), data.size()), written);
  const MappedFile empty(dir.file("empty.bin"));
  EXPECT_TRUE(empty.isOpen());
  EXPECT_TRUE(empty.empty());
  EXPECT_FALSE(MappedFile(dir.file("missing.bin")).isOpen());
  EXPECT_FALSE(MappedFile(dir.path().string()).isOpen());  // a directory
}

// Another program may shorten a data file while it is mapped (an update
// replacing it in place). Reading the pages past the new end must not end
// the process: they read as zeros, what was left reads as it was.
TEST(MappedFile, AFileShortenedWhileMappedReadsAsZerosPastItsNewEnd) {
  const testing::ScratchDir dir;
  const std::string path = dir.file("shrinks.bin");
  testing::writeBytes(path, std::string(70000, 'x'));
  const MappedFile file(path);
  ASSERT_TRUE(file.isOpen());
  EXPECT_EQ(file[0], 'x');  // the first page is read before the file shrinks
  std::filesystem::resize_file(path, 5000);
  size_t kept = 0, zeros = 0;
  for (size_t i = 0; i < file.size(); ++i) {
    kept += file[i] == 'x';
    zeros += file[i] == 0;
  }
  EXPECT_EQ(std::tuple(kept, zeros), std::tuple(5000u, 65000u));
}

// Only the program's own mappings are mended: a bus error anywhere else
// still ends the process as the system ends it.
TEST(MappedFileDeathTest, OtherBusErrorsStillEndTheProcess) {
  const testing::ScratchDir dir;
  const std::string path = dir.file("foreign.bin");
  testing::writeBytes(path, std::string(70000, 'x'));
  const MappedFile ours(path);  // the mending is set up
  EXPECT_EXIT(
      {
        const int fd = ::open(path.c_str(), O_RDONLY);
        auto* bytes = static_cast<const volatile char*>(::mmap(nullptr, 70000, PROT_READ, MAP_SHARED, fd, 0));
        std::filesystem::resize_file(path, 10);
        std::_Exit(bytes[69999]);
      },
      ::testing::KilledBySignal(SIGBUS), "");
  EXPECT_EXIT(std::raise(SIGBUS), ::testing::KilledBySignal(SIGBUS), "");
}

}  // namespace
}  // namespace celvaro
