// celvaro: the desktop planetarium, run in the current directory.
#include <QApplication>

#include <unistd.h>

#include <string>
#include <vector>

#include "ui/desktop_program.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  std::vector<char> directory(4096);
  const std::string programDir = getcwd(directory.data(), directory.size()) ? directory.data() : ".";
  return celvaro::runDesktopProgram(programDir);
}
