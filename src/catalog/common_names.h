// Other names of objects the catalogs hold under a designation ("Beehive"
// for M 44, "LMC" for PGC 17223), and the places of a few named stars no
// star catalog holds, from data/common_names.txt. Each line is a name, a
// tab and what it stands for: a designation the search understands, or
// "J2000 <right ascension in hours> <declination in degrees>".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace celvaro {

class CommonNames {
 public:
  static constexpr const char* kPath = "data/common_names.txt";

  struct Place {
    double raRad = 0, decRad = 0;
  };
  struct Target {
    std::string designation;     // empty for a place
    std::optional<Place> place;  // a star no catalog holds
  };

  // False when the file cannot be read; a line it cannot use is skipped.
  bool load(const std::string& path);
  // What a whole name, case ignored, stands for; the first line of a name wins.
  std::optional<Target> find(std::string_view name) const;
  size_t size() const { return targets_.size(); }

 private:
  std::unordered_map<std::string, Target> targets_;  // by the name in lower case
};

}  // namespace celvaro
