#include "app/program_paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "app/configuration.h"
#include "app/ui_resources.h"
#include "test_files.h"

namespace celvaro {
namespace {

namespace fs = std::filesystem;
using testing::EnvironmentValue;
using testing::ScratchDir;
using testing::writeBytes;

class ProgramPathsTest : public ::testing::Test {
 protected:
  std::string made(const std::string& relative) {
    fs::create_directories(dir.path() / relative);
    return (dir.path() / relative).string();
  }
  ScratchDir dir;
  EnvironmentValue home{"HOME", dir.path().c_str()};
  EnvironmentValue config{"XDG_CONFIG_HOME", nullptr};
  EnvironmentValue data{"XDG_DATA_HOME", nullptr};
};

// The freedesktop.org base-directory defaults and rules: $HOME/.config and
// $HOME/.local/share, and a relative path in a variable is ignored.
TEST_F(ProgramPathsTest, UserDirectoriesFollowTheBaseDirectoryRules) {
  const std::string home = dir.path().string();
  EXPECT_EQ(userConfigDirectory(), home + "/.config/celvaro");
  EXPECT_EQ(userDataDirectory(), home + "/.local/share/celvaro");
  EnvironmentValue relative("XDG_CONFIG_HOME", "relative/config");
  EnvironmentValue absolute("XDG_DATA_HOME", "/srv/data");
  EXPECT_EQ(userConfigDirectory(), home + "/.config/celvaro");
  EXPECT_EQ(userDataDirectory(), "/srv/data/celvaro");
}

// Only the program's data make a program directory: the configuration
// directory, or any directory holding only a user's files, is passed over.
TEST_F(ProgramPathsTest, FindsTheFirstDirectoryHoldingTheProgramsData) {
  const std::string current = made("work"), bin = made("prefix/bin"), config = made(".config/celvaro");
  const std::string installed = (dir.path() / "prefix/share/celvaro").string();
  writeBytes(current + "/celvaro.cfg", "x");
  writeBytes(current + "/locale.inf", "EN");
  writeBytes(current + "/lang_en.lng", "x");
  made(".local/share/celvaro/data");
  writeBytes(dir.file(".local/share/celvaro/data/stars_hip.dat"), "x");
  EXPECT_EQ(findProgramDirectory(current, bin), installed);
  made("prefix/bin/data");
  writeBytes(bin + "/data/stars_hip.dat", "x");
  EXPECT_EQ(findProgramDirectory(current, bin), bin);
  made("work/data");
  writeBytes(current + "/data/stars_hip.dat", "x");
  EXPECT_EQ(findProgramDirectory(current, bin), current);
  made(".config/celvaro/data");
  writeBytes(config + "/data/stars_hip.dat", "x");
  EXPECT_EQ(findProgramDirectory(config, bin), bin);
}

// A relative program directory is taken from the current directory, once,
// so that a later change of directory cannot lose it.
TEST_F(ProgramPathsTest, ARelativeProgramDirectoryBecomesAbsolute) {
  const fs::path before = fs::current_path();
  fs::current_path(made("share"));
  const std::string chosen = chooseProgramDirectory("celvaro/");
  fs::current_path(before);
  EXPECT_EQ(chosen, (dir.path() / "share/celvaro").string());
}

// A writable program directory keeps the user's files as before; the user
// data directory holds data only, so the user's files of it go to the
// configuration directory, which is made.
TEST_F(ProgramPathsTest, UserFilesGoBesideTheDataOnlyInAProgramDirectoryOfTheirOwn) {
  const std::string portable = made("portable"), user = made(".local/share/celvaro");
  const std::string config = dir.path().string() + "/.config/celvaro";
  EXPECT_EQ(configurationPath(portable), portable + "/celvaro.cfg");
  EXPECT_EQ(fovSchemesPath(portable), portable + "/fovschemes.dat");
  EXPECT_EQ(configurationPath(user), config + "/celvaro.cfg");
  EXPECT_EQ(fovSchemesPath(user), config + "/fovschemes.dat");
  UiResources resources;
  resources.setProgramDir(user);
  EXPECT_EQ(resources.localeInfPath(), config + "/locale.inf");
  EXPECT_TRUE(fs::is_directory(config));
}

}  // namespace
}  // namespace celvaro
