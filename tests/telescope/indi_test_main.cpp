// The INDI tests run in a network namespace of their own with only the
// loopback device up, so that the INDI server they start is reachable from
// nowhere else. Root makes one directly; a user makes it inside a user
// namespace of their own, where they are root. Without either the tests fail.
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

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

void writeFile(const char* path, const std::string& text) {
  if (FILE* file = std::fopen(path, "w")) {
    std::fputs(text.c_str(), file);
    std::fclose(file);
  }
}

// A network namespace, for a user inside a user namespace mapping them to root.
bool privateNetwork() {
  if (::unshare(CLONE_NEWNET) == 0) return true;
  const uid_t uid = ::getuid();
  const gid_t gid = ::getgid();
  if (::unshare(CLONE_NEWUSER | CLONE_NEWNET) != 0) return false;
  writeFile("/proc/self/setgroups", "deny");
  writeFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1");
  writeFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!privateNetwork() || !loopbackUp()) {
    std::fprintf(stderr, "no private network namespace with loopback: %s\n", std::strerror(errno));
    return 1;
  }
  return RUN_ALL_TESTS();
}
