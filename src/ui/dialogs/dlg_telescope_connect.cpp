#include "ui/dialogs/dlg_telescope_connect.h"

#include <QComboBox>
#include <QGridLayout>

#include <filesystem>

#include "app/text_ids.h"
#include "platform/serial_port.h"
#include "telescope/mount_types.h"

namespace celvaro {
namespace {

// What stands beside "COM<n>": the device, or for a link in ports/ the
// device it points at.
QString shownDevice(const std::string& device) {
  std::error_code error;
  const std::filesystem::path target = std::filesystem::read_symlink(device, error);
  return QString::fromStdString(error ? device : target.string());
}

}  // namespace

void DlgTelescopeConnect::onInitDialog() {
  window()->setWindowTitle(text(text_id::kTelescopeConnectTitle, "Telescope connection"));
  addScopeRows(0);
  addOkCancel();
}

int DlgTelescopeConnect::addScopeRows(int row) {
  grid()->addWidget(label(kMountType + 400, text(text_id::kMountTypeLabel, "Mount type")), row, 0);
  grid()->addWidget(comboBox(kMountType), row, 1);
  grid()->addWidget(label(kPort + 400, text(text_id::kSerialPortLabel, "Serial port")), row + 1, 0);
  grid()->addWidget(comboBox(kPort), row + 1, 1);
  fillMountTypes();
  fillPorts();
  return row + 2;
}

// Only the alt-azimuth motor controller is offered; the other types are
// reached through a stored type alone.
void DlgTelescopeConnect::fillMountTypes() {
  auto* types = control<QComboBox>(kMountType);
  types->addItem(QString::fromUtf8(mountTypeName(kMountMotorAltAz)), static_cast<int>(kMountMotorAltAz));
  types->setCurrentIndex(settings_.type == kMountMotorAltAz ? 0 : -1);
}

void DlgTelescopeConnect::fillPorts() {
  auto* ports = control<QComboBox>(kPort);
  for (int port = 1; port <= kPortCount; ++port) {
    const std::string device = serialDeviceForPort(programDir_, port);
    QString item = QString::asprintf("COM%d", port);
    if (!device.empty()) item += "  " + shownDevice(device);
    ports->addItem(item);
  }
  ports->setCurrentIndex(settings_.port > 0 && settings_.port <= kPortCount ? settings_.port - 1 : -1);
}

void DlgTelescopeConnect::readScopeRows() {
  const auto* types = control<QComboBox>(kMountType);
  if (types->currentIndex() >= 0) settings_.type = types->currentData().toInt();
  const int port = control<QComboBox>(kPort)->currentIndex();
  if (port >= 0) settings_.port = port + 1;
}

void DlgTelescopeConnect::onCommand(int id, int code, QWidget* control) {
  if (id == kIdOk) readScopeRows();
  FwDialogBase::onCommand(id, code, control);
}

}  // namespace celvaro
