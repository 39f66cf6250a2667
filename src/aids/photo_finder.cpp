#include "aids/photo_finder.h"

#include <filesystem>
#include <set>
#include <string_view>
#include <vector>
#include "platform/data_paths.h"


namespace celvaro {
namespace {

namespace fs = std::filesystem;

struct Prefix {
  std::string_view text;
  int kind;
};
constexpr Prefix kPrefixes[] = {{"M_", 1}, {"NGC_", 2}, {"IC_", 3}};

bool endsWithJpg(std::string_view name) {
  if (name.size() < 4) return false;
  std::string ending(name.substr(name.size() - 4));
  for (char& c : ending) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ending == ".jpg";
}

// atoi over at most four characters.
int32_t leadingNumber(std::string_view text) {
  text = text.substr(0, 4);
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  int32_t number = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) number = number * 10 + (text[i] - '0');
  return negative ? -number : number;
}

// The photographs' names in the data directories, each once, in order.
std::set<std::string> jpegNames(const std::vector<std::string>& directories) {
  std::set<std::string> names;
  for (const std::string& directory : directories) {
    std::error_code error;
    for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
      const std::string name = it->path().filename().string();
      if (endsWithJpg(name)) names.insert(name);
    }
  }
  return names;
}

}  // namespace

std::optional<int32_t> photoKeyOfFileName(const std::string& fileName) {
  if (!endsWithJpg(fileName)) return std::nullopt;
  for (const Prefix& prefix : kPrefixes) {
    if (!std::string_view(fileName).starts_with(prefix.text)) continue;
    const int32_t number = leadingNumber(std::string_view(fileName).substr(prefix.text.size()));
    if (number <= 0) return std::nullopt;
    return photoKey(prefix.kind, number);
  }
  return std::nullopt;
}

std::optional<std::string> findPhoto(const std::string& programDirectory, int32_t first, int32_t second) {
  for (const std::string& name : jpegNames(dataPathCandidates(programDirectory, kPhotoDirectory))) {
    const std::optional<int32_t> key = photoKeyOfFileName(name);
    if (key && (*key == first || *key == second)) return std::string(kPhotoDirectory) + "/" + name;
  }
  return std::nullopt;
}

}  // namespace celvaro
