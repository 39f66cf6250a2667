// Where a program finds its program directory and where it keeps the user's
// files. A program directory holds data/ and the language files: the build
// tree's run directory, a portable copy, or the installed share/celvaro,
// whose data files the user's ${XDG_DATA_HOME:-~/.local/share}/celvaro
// overrides one by one. The user's files (celvaro.cfg, locale.inf,
// fovschemes.dat) stay in the program directory when it is writable and not
// an installed one; otherwise they go to ${XDG_CONFIG_HOME:-~/.config}/celvaro.
#pragma once

#include <string>

namespace celvaro {

// The main star catalog: the file that makes a directory a program directory.
constexpr const char* kMainCatalogPath = "data/stars_hip.dat";

// The directory of the running executable; empty when it cannot be read.
std::string executableDirectory();

// ${XDG_CONFIG_HOME:-~/.config}/celvaro and ${XDG_DATA_HOME:-~/.local/share}/celvaro;
// a variable that is empty or not an absolute path counts as unset.
std::string userConfigDirectory();
std::string userDataDirectory();

// The installed program directory beside an executable: bin/../share/celvaro.
std::string installedProgramDirectory(const std::string& executableDir);

// The program directory when none is given: the current directory when it
// holds the program's data (the main catalog data/stars_hip.dat), else the
// executable's directory when it does, else the installed one. The user
// configuration directory is never one, whatever it holds.
std::string findProgramDirectory(const std::string& currentDir, const std::string& executableDir);

// The program directory a program runs in: `given` made absolute, or when
// empty the one found from the current directory and the executable's place.
// When it is the installed one, the files of the user data directory stand
// in for the installed data, file by file.
std::string chooseProgramDirectory(const std::string& given);

// Where the user's files of a program directory go: the directory itself
// (also when it does not exist), or the user configuration directory (made
// when missing) when the directory is not writable, is the installed one or
// is the user data directory.
std::string userFileDirectory(const std::string& programDir);

// The field-of-view scheme file of a program directory, among the user's files.
std::string fovSchemesPath(const std::string& programDir);

}  // namespace celvaro
