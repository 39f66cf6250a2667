// The chart navigation's per-installation record kept in the configuration
// file.
#pragma once

namespace celvaro {

struct NavigationSettings {
  int panStepsSimple = 8;
  int panStepsShift = 2;     // pan steps while Shift is held
  int zoomSteps = 4;
  int mouseWheelFunction = 2;
  bool operator==(const NavigationSettings&) const = default;
};

}  // namespace celvaro
