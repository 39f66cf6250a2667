// What the object-information window shows of the selected object: its
// position, its rise, transit and set, its description, its properties from
// the catalogs' information records, and its photograph.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace celvaro {

class AppModel;

struct ObjectProperty {
  std::string caption;
  std::string value;
  bool operator==(const ObjectProperty&) const = default;
};

struct ObjectInformation {
  std::string rightAscension;  // "hh:mm:ss"
  std::string declination;     // "dd:mm:ss"
  // Rise, transit and set as "hh:mm:ss"; " - " when the object is
  // circumpolar or never rises.
  std::array<std::string, 3> localTimes;
  std::array<std::string, 3> universalTimes;
  std::string description;     // lines separated by "\n"
  std::vector<ObjectProperty> properties;
  std::optional<std::string> photoPath;  // relative to the program directory
};

// The information on the model's selection at its last centring target, in
// the current language; none when nothing is selected.
std::optional<ObjectInformation> objectInformation(AppModel& model);

}  // namespace celvaro
