// celvaro-scope run as a script runs it: a process of its own, its output
// and error output kept, its exit code and how long it took.
#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <libnova/apparent_position.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "test_files.h"

namespace celvaro::testing {

struct ScopeRun {
  int exitCode = -1;
  std::string out, err;
  double seconds = 0;
};

// `environment` adds NAME=VALUE entries; a program still running after
// `terminateAfter` seconds is sent SIGTERM.
inline ScopeRun runScope(const std::vector<std::string>& args, const ScratchDir& dir,
                         const std::vector<std::string>& environment = {}, double terminateAfter = 0) {
  std::vector<std::string> words{CELVARO_SCOPE};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  const std::string out = dir.file("scope.out"), err = dir.file("scope.err");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ScopeRun run;
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  int status = 0;
  std::vector<std::string> variables(environment);
  for (char** e = environ; *e != nullptr; ++e) variables.emplace_back(*e);
  std::vector<char*> envp;
  for (std::string& v : variables) envp.push_back(v.data());
  envp.push_back(nullptr);
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
    if (terminateAfter > 0) {
      std::this_thread::sleep_for(std::chrono::duration<double>(terminateAfter));
      ::kill(pid, SIGTERM);
    }
    if (::waitpid(pid, &status, 0) == pid) run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.out = readBytes(out);
  run.err = readBytes(err);
  return run;
}

// The JSON line of a command in the output, or an empty one.
inline std::string lineOf(const std::string& out, const std::string& command) {
  const std::string key = "{\"command\":\"" + command + "\"";
  const size_t at = out.find(key);
  return at == std::string::npos ? "" : out.substr(at, out.find('\n', at) - at);
}

// A place a JSON line gives by name: (hours, degrees).
inline std::optional<std::pair<double, double>> placeIn(const std::string& line, const std::string& name) {
  const std::regex pattern("\"" + name + "\":\\{\"ra_hours\":([-0-9.]+),\"dec_deg\":([-0-9.]+)\\}");
  std::smatch m;
  if (!std::regex_search(line, m, pattern)) return std::nullopt;
  return std::pair{std::stod(m[1]), std::stod(m[2])};
}

// A J2000 place in the apparent place of a date by libnova: (hours, degrees).
inline std::pair<double, double> libnovaOfDate(double raHours, double decDeg, double julianDate) {
  ln_equ_posn mean{raHours * 15, decDeg}, motion{0, 0}, apparent{};
  ln_get_apparent_posn(&mean, &motion, julianDate, &apparent);
  return {apparent.ra / 15, apparent.dec};
}

// The angle in arcminutes between two places in hours and degrees.
inline double arcminutesApart(std::pair<double, double> a, std::pair<double, double> b) {
  constexpr double kRad = std::numbers::pi / 180;
  const double c = std::sin(a.second * kRad) * std::sin(b.second * kRad) +
                   std::cos(a.second * kRad) * std::cos(b.second * kRad) * std::cos((a.first - b.first) * 15 * kRad);
  return std::acos(std::clamp(c, -1.0, 1.0)) / kRad * 60;
}

// M 42 in J2000, as NGC 1976 is published: 5h 35m 17.3s, -5 deg 23' 28".
inline constexpr double kM42RaHours = 5 + 35 / 60.0 + 17.3 / 3600, kM42DecDeg = -(5 + 23 / 60.0 + 28 / 3600.0);

}  // namespace celvaro::testing
