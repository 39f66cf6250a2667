#include "catalog/common_names.h"

#include <fstream>
#include <numbers>
#include <sstream>

namespace celvaro {
namespace {

std::string folded(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  return out;
}

// "J2000 10.7510 -59.6845": a place; anything else a designation.
std::optional<CommonNames::Target> targetOf(const std::string& text) {
  constexpr double kRadPerDeg = std::numbers::pi / 180;
  if (!text.starts_with("J2000 ")) return text.empty() ? std::nullopt : std::optional(CommonNames::Target{text, {}});
  std::istringstream numbers(text.substr(6));
  double hours = 0, degrees = 0;
  if (!(numbers >> hours >> degrees) || hours < 0 || hours >= 24 || degrees < -90 || degrees > 90) return std::nullopt;
  return CommonNames::Target{"", CommonNames::Place{hours * 15 * kRadPerDeg, degrees * kRadPerDeg}};
}

}  // namespace

bool CommonNames::load(const std::string& path) {
  targets_.clear();
  std::ifstream in(path);
  if (!in) return false;
  for (std::string line; std::getline(in, line);) {
    const size_t tab = line.find('\t');
    if (line.empty() || line[0] == '#' || tab == 0 || tab == std::string::npos) continue;
    if (auto target = targetOf(line.substr(tab + 1))) targets_.try_emplace(folded(line.substr(0, tab)), *target);
  }
  return true;
}

std::optional<CommonNames::Target> CommonNames::find(std::string_view name) const {
  const auto it = targets_.find(folded(name));
  if (it == targets_.end()) return std::nullopt;
  return it->second;
}

}  // namespace celvaro
