#include "platform/mapped_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>

#include "test_files.h"

// Built with AddressSanitizer, these tests leave bus errors to the program:
// the handler they check is the program's own, not the sanitizer's report.
extern "C" const char* __asan_default_options() { return "handle_sigbus=0"; }

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
  EXPECT_EQ(kept, 5000u);
  EXPECT_EQ(zeros, 65000u);
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
