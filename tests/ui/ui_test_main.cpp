// The user-interface tests run real widgets on the offscreen platform. Qt
// keeps what its file dialogs remember under the user's configuration
// directory: the tests give it one of their own, removed at the end, so a
// test run leaves nothing in the user's home.
#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  std::string configHome = (std::filesystem::temp_directory_path() / "celvaro-ui-config-XXXXXX").string();
  if (!::mkdtemp(configHome.data())) return 2;
  setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
  int result = 0;
  {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    result = RUN_ALL_TESTS();
  }
  std::error_code ignored;
  std::filesystem::remove_all(configHome, ignored);
  return result;
}
