// celvaro-chart of the built program directory, run as a user runs it.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/chart_request.h"
#include "test_files.h"

namespace celvaro::testing {

struct ChartRun {
  int exitCode = -1;
  std::string out, err;
};

// The program with `args`, each quoted; what it writes to its standard
// output and error is kept in a directory of its own (not the test's
// scratch directory, which the caller may hold), removed afterwards.
inline ChartRun runChartProgram(const std::vector<std::string>& args) {
  std::string dir = (std::filesystem::temp_directory_path() / "celvaro-chart-run-XXXXXX").string();
  if (!::mkdtemp(dir.data())) return {};
  std::string command = std::string(CELVARO_RUN_DIR) + "/celvaro-chart --program-dir " CELVARO_RUN_DIR;
  for (const std::string& arg : args) {
    std::string quoted;
    for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    command += " '" + quoted + "'";
  }
  command += " >" + dir + "/out 2>" + dir + "/err";
  const int status = std::system(command.c_str());
  ChartRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readBytes(dir + "/out"), readBytes(dir + "/err")};
  std::filesystem::remove_all(dir);
  return run;
}

// The 60-degree chart of Orion of 15 January 2024 at 20:00 UT, 1200 by
// 900 pixels, from the built program directory.
inline ChartRequest orionRequest() {
  ChartRequest request;
  request.programDir = CELVARO_RUN_DIR;
  request.utc = ChartDate{2024, 1, 15, 20, 0, 0.0};
  request.raHours = 5.6;
  request.decDeg = 3;
  request.fieldArcmin = 3600;
  request.width = 1200;
  request.height = 900;
  return request;
}

}  // namespace celvaro::testing
