// The telescope connection dialog: the mount type and the serial port. OK
// stores both into the scope settings; the caller then connects.
#pragma once

#include <string>

#include "platform/serial_port.h"
#include "telescope/settings_records.h"
#include "ui/dialog_framework.h"

namespace celvaro {

// The ports COM1..COM256 into a list, each with the device it reaches; the
// list keeps a moderate width however long an adapter's name is.
void fillSerialPorts(QComboBox& ports, UiResources& resources, const std::string& programDir);

class DlgTelescopeConnect : public FwDialogBase {
 public:
  static constexpr int kMountType = 100, kPort = 101;
  static constexpr int kPortCount = kSerialPortCount;

  DlgTelescopeConnect(UiResources& resources, ScopeSettings& settings, std::string programDir)
      : FwDialogBase(resources), settings_(settings), programDir_(std::move(programDir)) {}
  int resourceId() const override { return 500; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;

 protected:
  // The mount-type and port rows from `row` on; answers the row after them.
  int addScopeRows(int row);
  // The chosen type and port into the settings; a list left without a
  // choice keeps the stored value.
  void readScopeRows();
  ScopeSettings& settings() { return settings_; }

 private:
  void fillMountTypes();
  void fillPorts();
  void showPortForType();

  ScopeSettings& settings_;
  const std::string programDir_;
};

}  // namespace celvaro
