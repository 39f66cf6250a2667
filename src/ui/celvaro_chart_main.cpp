// celvaro-chart: writes one sky chart of a program directory to a file,
// centred where asked or on a named object, and tells what it shows.
#include <QGuiApplication>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ui/chart_command.h"

int main(int argc, char** argv) {
  std::string error;
  const auto request = celvaro::parseChartRequest(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!request) {
    std::fprintf(stderr, "celvaro-chart: %s\n", error.c_str());
    return 2;
  }
  // Labels need the application's fonts; no display is needed.
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (!std::getenv("XDG_RUNTIME_DIR")) {
    const std::string runtime = "/tmp/celvaro-runtime-" + std::to_string(getuid());
    mkdir(runtime.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  }
  QGuiApplication application(argc, argv);
  return celvaro::runChartRequest(*request);
}
