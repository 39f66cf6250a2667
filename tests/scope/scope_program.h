// celvaro-scope run as a script runs it: a process of its own, its output
// and error output kept, its exit code and how long it took.
#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <fcntl.h>

#include <chrono>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "telescope/sky_places.h"
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

}  // namespace celvaro::testing
