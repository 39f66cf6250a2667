// The telescope settings (command 606): the connection's mount type and
// serial port, and the hour at which an equatorial mount swaps from the
// east to the west side of the pier.
#pragma once

#include "ui/dialogs/dlg_telescope_connect.h"

namespace celvaro {

class DlgTelescopeSettings final : public DlgTelescopeConnect {
 public:
  static constexpr int kEastWestSwap = 102;

  using DlgTelescopeConnect::DlgTelescopeConnect;
  int resourceId() const override { return 507; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;
};

}  // namespace celvaro
