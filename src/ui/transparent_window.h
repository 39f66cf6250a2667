// A window the user can make see-through over the chart.
#pragma once

namespace celvaro {

class iTransparentWindow {
 public:
  virtual ~iTransparentWindow() = default;
  // Makes the window opaque again and shows its transparency controls at
  // their starting state.
  virtual void transparencyOff() = 0;
};

}  // namespace celvaro
