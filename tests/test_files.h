// A private scratch directory per test, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>
#include <thread>

// Skips the test where the catalog data of the run directory have not been
// built (a build without `celvaro-catalogs`); ./test always builds them.
#define CELVARO_SKIP_WITHOUT_BUILT_DATA()                                            \
  if (!std::filesystem::exists(std::string(CELVARO_RUN_DIR) + "/data/.built")) \
  GTEST_SKIP() << "the catalog data have not been built"

namespace celvaro::testing {

class ScratchDir {
 public:
  ScratchDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    // Parameterised tests have '/' in their names: one level of directory.
    // The count keeps two directories of one test apart: removing the
    // inner one must not take the outer one's files.
    static std::atomic<int> made{0};
    std::string name = "celvaro-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
                       std::to_string(::getpid()) + "-" + std::to_string(made++);
    std::replace(name.begin(), name.end(), '/', '-');
    path_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  // A process the test started may still be writing into the directory as
  // it ends (a driver its server restarted): the removal is tried again a
  // moment later instead of ending the test program.
  ~ScratchDir() {
    for (int attempt = 0; attempt < 50; ++attempt) {
      std::error_code failure;
      std::filesystem::remove_all(path_, failure);
      if (!failure) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }

  std::string file(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Sets an environment variable (none: unsets it) for as long as it lives
// and puts the old value back.
class EnvironmentValue {
 public:
  EnvironmentValue(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    set(value);
  }
  ~EnvironmentValue() { set(old_ ? old_->c_str() : nullptr); }
  void set(const char* value) { value ? setenv(name_, value, 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

inline void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

inline std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace celvaro::testing
