#include "platform/private_directory.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "test_files.h"

namespace celvaro {
namespace {

namespace fs = std::filesystem;
using testing::ScratchDir;

TEST(PrivateDirectory, IsMadeForThisUserAlone) {
  ScratchDir dir;
  const std::string made = dir.file("runtime");
  ASSERT_TRUE(makePrivateDirectory(made));
  struct stat info;
  ASSERT_EQ(::stat(made.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0700u);
  EXPECT_TRUE(makePrivateDirectory(made));  // the second run finds it
}

// What another user could have put at the fixed name is refused and left.
TEST(PrivateDirectory, RefusesWhatOthersCouldEnterOrSwap) {
  ScratchDir dir;
  fs::create_directory(dir.file("open"));
  ::chmod(dir.file("open").c_str(), 0755);
  fs::create_directory_symlink(dir.file("open"), dir.file("link"));
  testing::writeBytes(dir.file("file"), "x");
  for (const char* name : {"open", "link", "file"}) {
    EXPECT_FALSE(makePrivateDirectory(dir.file(name))) << name;
  }
  EXPECT_TRUE(fs::is_symlink(dir.file("link")));
  EXPECT_EQ(fs::status(dir.file("open")).permissions(), fs::perms(0755));
}

}  // namespace
}  // namespace celvaro
