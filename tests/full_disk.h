// Writing as if the disk were full: in a child process whose file-size
// limit stops every write beyond a few bytes.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>

namespace celvaro::testing {

// True when `write` reported success in such a child; false when it
// reported failure or the child did not end normally.
inline bool succeedsOnAFullDisk(const std::function<bool()>& write) {
  pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit {10, 10};
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(write() ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace celvaro::testing
