// celvaro: the desktop planetarium. It runs in the program directory given
// with --program-dir, else in the one found from the current directory and
// the executable's place. When the user's files go elsewhere (an installed
// program), that directory becomes the working one, so the setting-file
// dialogs open where the user's files are.
#include <QApplication>

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/program_info.h"
#include "app/program_paths.h"
#include "platform/memory_policy.h"
#include "ui/desktop_program.h"

namespace {

constexpr char kUsage[] =
    "usage: celvaro [--program-dir DIR]\n"
    "  --program-dir DIR  the directory of data/ and the language files; by default the current\n"
    "                     directory when it holds data/stars_hip.dat, else the program's own when\n"
    "                     it does, else the installed share/celvaro, whose data files those of\n"
    "                     ${XDG_DATA_HOME:-~/.local/share}/celvaro/data override one by one\n"
    "  --help             this text\n"
    "  --version          the program's version\n"
    "Settings, language choice and field-of-view schemes are kept in the program directory when\n"
    "it is writable, else in ${XDG_CONFIG_HOME:-~/.config}/celvaro.\n";

// Reads --program-dir DIR into `dir` (left empty without it); options of
// one dash are left to Qt. False, with the error, on any other option.
bool readProgramDirOption(const std::vector<std::string>& args, std::string& dir, std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--program-dir" && i + 1 < args.size() && !args[i + 1].empty()) {
      dir = args[++i];
    } else if (args[i].rfind("--", 0) == 0) {
      error = args[i] == "--program-dir" ? "--program-dir needs a directory" : "unknown option " + args[i];
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  celvaro::keepFreedMemoryForReuse();
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (const auto answered = celvaro::answerHelpOrVersion(args, "celvaro", kUsage)) return *answered;
  std::string programDir, error;
  if (!readProgramDirOption(args, programDir, error)) {
    std::fprintf(stderr, "celvaro: %s\n", error.c_str());
    return 2;
  }
  programDir = celvaro::chooseProgramDirectory(programDir);
  const std::string userDir = celvaro::userFileDirectory(programDir);
  if (userDir != programDir && chdir(userDir.c_str()) != 0) std::perror(userDir.c_str());
  QApplication application(argc, argv);
  return celvaro::runDesktopProgram(programDir);
}
