#include "tools/scope/port_link.h"

#include <stdlib.h>

#include <filesystem>
#include <system_error>
#include <vector>

namespace celvaro::scope {

PortLink::PortLink(const std::string& device) {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/celvaro-scope-XXXXXX";
  std::vector<char> path(pattern.begin(), pattern.end());
  path.push_back('\0');
  if (::mkdtemp(path.data()) == nullptr) return;
  directory_ = path.data();
  if (device.empty()) {
    ok_ = true;
    return;
  }
  std::error_code error;
  const std::filesystem::path ports = std::filesystem::path(directory_) / "ports";
  std::filesystem::create_directory(ports, error);
  // The link is followed from ports/: a relative device is made absolute first.
  if (!error) std::filesystem::create_symlink(std::filesystem::absolute(device, error), ports / "COM1", error);
  ok_ = !error;
}

PortLink::~PortLink() {
  std::error_code ignored;
  if (!directory_.empty()) std::filesystem::remove_all(directory_, ignored);
}

}  // namespace celvaro::scope
