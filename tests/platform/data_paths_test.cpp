#include "platform/data_paths.h"

#include <gtest/gtest.h>

#include "test_files.h"

namespace celvaro {
namespace {

using testing::ScratchDir;
using testing::writeBytes;

TEST(DataPaths, AreJoinedWithOneSeparator) {
  EXPECT_EQ(resolveDataPath("/opt/celvaro", "data\\stars.dat"), "/opt/celvaro/data/stars.dat");
  EXPECT_EQ(resolveDataPath("/opt/celvaro/", "/data/x"), "/opt/celvaro/data/x");
  EXPECT_EQ(resolveDataPath(std::string(2000, 'd'), "x").size(), 1023u);
}

// The user's data stand in for the installed ones file by file: a file the
// user's directory holds is read from there, every other from the program
// directory; another directory is left alone.
TEST(DataPaths, TheOverrideDirectoryStandsInFileByFile) {
  ScratchDir installed, user;
  writeBytes(installed.file("a.dat"), "installed");
  writeBytes(installed.file("b.dat"), "installed");
  writeBytes(user.file("a.dat"), "user's");
  setDataOverride(installed.path().string(), user.path().string());
  EXPECT_EQ(resolveDataPath(installed.path().string(), "a.dat"), user.file("a.dat"));
  EXPECT_EQ(resolveDataPath(installed.path().string(), "b.dat"), installed.file("b.dat"));
  EXPECT_EQ(resolveDataPath(installed.path().string(), "c.dat"), installed.file("c.dat"));
  EXPECT_EQ(resolveDataPath("/elsewhere", "a.dat"), "/elsewhere/a.dat");
  setDataOverride("", "");
  EXPECT_EQ(resolveDataPath(installed.path().string(), "a.dat"), installed.file("a.dat"));
}

}  // namespace
}  // namespace celvaro
