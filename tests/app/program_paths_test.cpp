#include "app/program_paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "app/configuration.h"
#include "app/fov_schemes.h"
#include "app/ui_resources.h"
#include "test_files.h"

namespace celvaro {
namespace {

namespace fs = std::filesystem;
using testing::ScratchDir;
using testing::writeBytes;

// Sets an environment variable for one test and puts the old value back.
class EnvironmentValue {
 public:
  EnvironmentValue(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~EnvironmentValue() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

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

TEST_F(ProgramPathsTest, FindsTheFirstDirectoryHoldingProgramFiles) {
  const std::string current = made("work"), bin = made("prefix/bin"), user = made(".local/share/celvaro");
  const std::string installed = (dir.path() / "prefix/share/celvaro").string();
  EXPECT_EQ(findProgramDirectory(current, bin), installed);
  writeBytes(user + "/lang_en.lng", "x");
  EXPECT_EQ(findProgramDirectory(current, bin), user);
  made("prefix/bin/data");
  writeBytes(bin + "/data/stars_hip.dat", "x");
  EXPECT_EQ(findProgramDirectory(current, bin), bin);
  // A directory the program ran in before, holding only the user's files.
  writeBytes(current + "/celvaro.cfg", "x");
  EXPECT_EQ(findProgramDirectory(current, bin), current);
  const std::string another = made("another");
  writeBytes(another + "/locale.inf", "EN");
  EXPECT_EQ(findProgramDirectory(another, bin), another);
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
