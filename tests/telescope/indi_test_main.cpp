// The INDI tests run in a network namespace of their own with only the
// loopback device up, so that the INDI server they start is reachable from
// nowhere else. Making one needs root; without it the tests fail.
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace {

bool loopbackUp() {
  const int s = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (s < 0) return false;
  ifreq request{};
  std::strncpy(request.ifr_name, "lo", IFNAMSIZ - 1);
  bool up = ::ioctl(s, SIOCGIFFLAGS, &request) == 0;
  request.ifr_flags = static_cast<short>(request.ifr_flags | IFF_UP);
  up = up && ::ioctl(s, SIOCSIFFLAGS, &request) == 0;
  ::close(s);
  return up;
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::unshare(CLONE_NEWNET) != 0 || !loopbackUp()) {
    std::fprintf(stderr, "no private network namespace with loopback (run as root): %s\n", std::strerror(errno));
    return 1;
  }
  return RUN_ALL_TESTS();
}
