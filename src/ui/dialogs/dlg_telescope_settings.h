// The telescope settings (command 606): the connection's mount type and
// serial port, the hour at which an equatorial mount swaps from the east to
// the west side of the pier, and the INDI server and device a mount of type
// INDI is reached through.
#pragma once

#include <future>
#include <string>
#include <vector>

#include "ui/dialogs/dlg_telescope_connect.h"

class QTimer;

namespace celvaro {

class DlgTelescopeSettings final : public DlgTelescopeConnect {
 public:
  static constexpr int kEastWestSwap = 102, kIndiHost = 103, kIndiPort = 104, kIndiDevice = 105,
                       kFindDevices = 106, kIndiStatus = 107;

  using DlgTelescopeConnect::DlgTelescopeConnect;
  int resourceId() const override { return 507; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;

 private:
  int addIndiRows(int row);
  bool readIndiRows();
  // Asks the server for its telescopes on a thread of its own; the list is
  // filled when the answer is there.
  void findDevices();
  void showDevices();

  std::future<std::vector<std::string>> devices_;
  QTimer* devicesTimer_ = nullptr;
};

}  // namespace celvaro
