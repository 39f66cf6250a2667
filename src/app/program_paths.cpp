#include "app/program_paths.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include "platform/data_paths.h"


namespace celvaro {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSubdirectory = "celvaro";

// An XDG base directory: the variable when it holds an absolute path, else
// the default below the home directory.
std::string baseDirectory(const char* variable, const char* homeRelative) {
  const char* value = std::getenv(variable);
  if (value != nullptr && value[0] == '/') return std::string(value) + "/" + kSubdirectory;
  const char* home = std::getenv("HOME");
  const std::string base = home != nullptr && home[0] == '/' ? home : "/tmp";
  return base + "/" + homeRelative + "/" + kSubdirectory;
}

bool sameDirectory(const std::string& a, const std::string& b) {
  std::error_code error;
  return !a.empty() && !b.empty() && fs::equivalent(a, b, error);
}

// The main catalog; the user's files of an earlier run do not make one.
bool holdsProgramData(const std::string& dir) {
  std::error_code error;
  return !dir.empty() && !sameDirectory(dir, userConfigDirectory()) &&
         fs::is_regular_file(fs::path(dir) / kMainCatalogPath, error);
}

std::string currentDirectory() {
  std::error_code error;
  const fs::path current = fs::current_path(error);
  return error ? std::string(".") : current.string();
}

}  // namespace

std::string executableDirectory() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  return error ? std::string() : executable.parent_path().string();
}

std::string userConfigDirectory() { return baseDirectory("XDG_CONFIG_HOME", ".config"); }

std::string userDataDirectory() { return baseDirectory("XDG_DATA_HOME", ".local/share"); }

std::string installedProgramDirectory(const std::string& executableDir) {
  if (executableDir.empty()) return {};
  return (fs::path(executableDir).parent_path() / "share" / kSubdirectory).string();
}

std::string findProgramDirectory(const std::string& currentDir, const std::string& executableDir) {
  for (const std::string& dir : {currentDir, executableDir}) {
    if (holdsProgramData(dir)) return dir;
  }
  const std::string installed = installedProgramDirectory(executableDir);
  return installed.empty() ? currentDir : installed;
}

std::string chooseProgramDirectory(const std::string& given) {
  const std::string executableDir = executableDirectory();
  std::error_code error;
  fs::path chosen = given.empty() ? fs::path(findProgramDirectory(currentDirectory(), executableDir))
                                  : fs::absolute(given, error).lexically_normal();
  if (!chosen.has_filename() && chosen.has_relative_path()) chosen = chosen.parent_path();
  const std::string programDir = chosen.string();
  const bool installed = sameDirectory(programDir, installedProgramDirectory(executableDir));
  setDataOverride(programDir, installed ? userDataDirectory() : std::string());
  return programDir;
}

std::string userFileDirectory(const std::string& programDir) {
  std::error_code error;
  if (!fs::exists(programDir, error)) return programDir;  // nothing to protect; a save reports its own failure
  const bool own = access(programDir.c_str(), W_OK) == 0 &&
                   !sameDirectory(programDir, installedProgramDirectory(executableDirectory())) &&
                   !sameDirectory(programDir, userDataDirectory());
  if (own) return programDir;
  const std::string config = userConfigDirectory();
  fs::create_directories(config, error);
  return config;
}

std::string fovSchemesPath(const std::string& programDir) { return userFileDirectory(programDir) + "/fovschemes.dat"; }

}  // namespace celvaro
