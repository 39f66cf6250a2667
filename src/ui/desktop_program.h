// The desktop program from start to end: the language (asking at the first
// start), the configuration, the data, the main window and its event loop,
// then the files written at exit.
#pragma once

#include <string>

namespace celvaro {

// Runs the program in `programDir` under the running QApplication; the exit code.
int runDesktopProgram(const std::string& programDir);

}  // namespace celvaro
