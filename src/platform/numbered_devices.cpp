#include "platform/numbered_devices.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace celvaro {
namespace {

constexpr size_t kMaxDigits = 9;

bool allDigits(const std::string& text) {
  return !text.empty() && text.size() <= kMaxDigits &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::vector<std::string> numberedDevices(const std::string& directory, const std::string& prefix) {
  std::vector<std::pair<long, std::string>> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) != 0 || !allDigits(name.substr(prefix.size()))) continue;
    found.emplace_back(std::stol(name.substr(prefix.size())), entry.path().string());
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string> devices;
  for (auto& [number, path] : found) devices.push_back(std::move(path));
  return devices;
}

}  // namespace celvaro
