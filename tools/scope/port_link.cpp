#include "tools/scope/port_link.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "tools/scope/interruption.h"

namespace celvaro::scope {
namespace {

// What a signal that ends the program at once removes, deepest first: a
// handler may only unlink and remove directories by paths it already has.
char gLink[4096], gPorts[4096], gDirectory[4096];

void removePaths() {
  ::unlink(gLink);
  ::rmdir(gPorts);
  ::rmdir(gDirectory);
}

void keep(char (&into)[4096], const std::string& path) {
  std::strncpy(into, path.size() < sizeof into ? path.c_str() : "", sizeof into - 1);
}

}  // namespace

PortLink::PortLink(const std::string& device) {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/celvaro-scope-XXXXXX";
  std::vector<char> path(pattern.begin(), pattern.end());
  path.push_back('\0');
  if (::mkdtemp(path.data()) == nullptr) return;
  directory_ = path.data();
  const std::filesystem::path ports = std::filesystem::path(directory_) / "ports";
  keep(gDirectory, directory_);
  keep(gPorts, ports.string());
  keep(gLink, (ports / "COM1").string());
  catchInterruptions(removePaths);
  std::error_code error;
  if (!device.empty()) {
    std::filesystem::create_directory(ports, error);
    // The link is followed from ports/: a relative device is made absolute first.
    const std::filesystem::path target = error ? "" : std::filesystem::absolute(device, error);
    if (!error) std::filesystem::create_symlink(target, ports / "COM1", error);
  }
  ok_ = !error;
}

void PortLink::remove() {
  if (directory_.empty()) return;
  removePaths();
  gLink[0] = gPorts[0] = gDirectory[0] = '\0';
  directory_.clear();
}

}  // namespace celvaro::scope
