// A program run as a user runs it: a process of its own with no input, its
// output and error output kept, its exit code and how long it took.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "test_files.h"

namespace celvaro::testing {

struct ProgramRun { int exitCode = -1; std::string out, err; double seconds = 0; };

// `words` are the program and its arguments; `environment` adds NAME=VALUE
// entries; a program still running after `terminateAfter` seconds is sent
// SIGTERM. What it writes is kept in `dir`.
inline ProgramRun runProgram(std::vector<std::string> words, const ScratchDir& dir,
                             const std::vector<std::string>& environment = {}, double terminateAfter = 0) {
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  const std::string out = dir.file("program.out"), err = dir.file("program.err");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ProgramRun run;
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

}  // namespace celvaro::testing
