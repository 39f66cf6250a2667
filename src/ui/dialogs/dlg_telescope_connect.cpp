#include "ui/dialogs/dlg_telescope_connect.h"

#include <QComboBox>
#include <QGridLayout>

#include "app/ui_resources.h"
#include "model/text_ids.h"
#include "telescope/mount_types.h"
#include "ui/telescope_readouts.h"

namespace celvaro {

void fillSerialPorts(QComboBox& ports, UiResources& resources, const std::string& programDir) {
  constexpr int kShownCharacters = 24;
  ports.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  ports.setMinimumContentsLength(kShownCharacters);
  const std::string notPresent = resources.textOr(text_id::kPortNotPresent, "not present");
  for (const std::string& item : serialPortTexts(programDir, notPresent)) ports.addItem(QString::fromStdString(item));
}

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
  showPortForType();
  return row + 2;
}

// An INDI mount is reached through its server, not a serial port.
void DlgTelescopeConnect::showPortForType() {
  const auto* types = control<QComboBox>(kMountType);
  const bool serial = types->currentIndex() < 0 || types->currentData().toInt() != kMountIndi;
  control<QComboBox>(kPort)->setVisible(serial);
  control(kPort + 400)->setVisible(serial);
}

// Every mount type, the stored one chosen; without one (type 0) the list
// waits for a choice.
void DlgTelescopeConnect::fillMountTypes() {
  auto* types = control<QComboBox>(kMountType);
  for (int type = kMountOldNexstar; type < kMountTypeCount; ++type) {
    types->addItem(QString::fromUtf8(mountTypeName(type)), type);
  }
  types->setCurrentIndex(types->findData(settings_.type));
}

void DlgTelescopeConnect::fillPorts() {
  auto* ports = control<QComboBox>(kPort);
  fillSerialPorts(*ports, resources(), programDir_);
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
  if (id == kMountType && code == kSelectionChanged) showPortForType();
  FwDialogBase::onCommand(id, code, control);
}

}  // namespace celvaro
