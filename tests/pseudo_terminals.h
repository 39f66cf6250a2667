// Tests that talk over pseudo-terminals skip themselves, saying so, on a
// machine that offers none (a container without /dev/pts).
#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace celvaro::testing {

inline bool pseudoTerminalsAvailable() {
  static const bool available = [] {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) return false;
    const bool ok = ::grantpt(master) == 0 && ::unlockpt(master) == 0 && ::ptsname(master) != nullptr;
    ::close(master);
    return ok;
  }();
  return available;
}

}  // namespace celvaro::testing

#define SKIP_WITHOUT_PSEUDO_TERMINALS()                                          \
  do {                                                                           \
    if (!::celvaro::testing::pseudoTerminalsAvailable()) {                       \
      GTEST_SKIP() << "this machine offers no pseudo-terminals (/dev/ptmx)";     \
    }                                                                            \
  } while (false)
