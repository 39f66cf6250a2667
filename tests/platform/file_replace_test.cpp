#include "platform/file_replace.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <thread>

#include "test_files.h"

namespace celvaro {
namespace {

using testing::readBytes;
using testing::ScratchDir;
using testing::writeBytes;

size_t entriesIn(const std::filesystem::path& dir) {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

TEST(ReplaceFileContents, CreatesAndReplacesKeepingTheMode) {
  ScratchDir dir;
  const std::string path = dir.file("cfg");
  ASSERT_TRUE(replaceFileContents(path, "first\r\n"));
  EXPECT_EQ(readBytes(path), "first\r\n");
  ::chmod(path.c_str(), 0640);
  ASSERT_TRUE(replaceFileContents(path, std::string("second\0", 7)));
  EXPECT_EQ(readBytes(path), std::string("second\0", 7));
  struct stat info;
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(entriesIn(dir.path()), 1u);  // no temporary file left behind
  EXPECT_FALSE(replaceFileContents(dir.file("no/such/dir/cfg"), "x"));
}

TEST(ReplaceFileContents, AFailedRenameLeavesTheOldFileAndNoTemporary) {
  ScratchDir dir;
  const std::string path = dir.file("cfg");
  writeBytes(path, "old contents\n");
  auto failingRename = [](const char*, const char*) {
    errno = EXDEV;
    return -1;
  };
  EXPECT_FALSE(replaceFileContents(path, "new contents\n", failingRename));
  EXPECT_EQ(errno, EXDEV);  // the reason a message names
  EXPECT_EQ(readBytes(path), "old contents\n");
  EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(ReplaceFileContents, AFailedWriteLeavesTheOldFile) {
  ScratchDir dir;
  const std::string path = dir.file("cfg");
  writeBytes(path, "old contents\n");
  // A child whose file-size limit is below the new contents stands for a
  // full disk: its write fails part-way.
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit {10, 10};
    setrlimit(RLIMIT_FSIZE, &limit);
    if (replaceFileContents(path, std::string(4096, 'n'))) _exit(1);
    _exit(errno == EFBIG ? 0 : 2);  // the kernel's reason for the refused write
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the failed write was reported as success; 2: errno lost its reason";
  EXPECT_EQ(readBytes(path), "old contents\n");
  EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(ReplaceFileContents, FollowsASymbolicLink) {
  ScratchDir dir;
  writeBytes(dir.file("real"), "old");
  std::filesystem::create_symlink("real", dir.file("link"));
  ASSERT_TRUE(replaceFileContents(dir.file("link"), "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link")));
  EXPECT_EQ(readBytes(dir.file("real")), "new");
}

// What is not a regular file is written into and stays what it was: a FIFO
// hands the bytes to its reader, /dev/null takes them, /dev/full refuses
// them with the device's own reason. None is replaced by a regular file,
// which renaming over the path would make of it (as root, even in /dev).
TEST(ReplaceFileContents, WritesIntoWhatIsNotARegularFile) {
  ScratchDir dir;
  const std::string fifo = dir.file("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string received;
  std::thread reader([&] { received = readBytes(fifo); });
  EXPECT_TRUE(replaceFileContents(fifo, "through the pipe"));
  reader.join();
  EXPECT_EQ(received, "through the pipe");
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  EXPECT_TRUE(replaceFileContents("/dev/null", "nothing"));
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
  EXPECT_FALSE(replaceFileContents("/dev/full", "too much"));
  EXPECT_EQ(errno, ENOSPC);
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
  EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(WriteOutputFile, ADashIsTheStandardOutput) {
  ScratchDir dir;
  const int saved = ::dup(STDOUT_FILENO);
  const int file = ::open(dir.file("out").c_str(), O_WRONLY | O_CREAT, 0600);
  ::dup2(file, STDOUT_FILENO);
  const bool written = writeOutputFile("-", "to the standard output");
  ::dup2(saved, STDOUT_FILENO);
  ::close(saved);
  ::close(file);
  EXPECT_TRUE(written);
  EXPECT_EQ(readBytes(dir.file("out")), "to the standard output");
  EXPECT_FALSE(std::filesystem::exists("-"));
}

}  // namespace
}  // namespace celvaro
