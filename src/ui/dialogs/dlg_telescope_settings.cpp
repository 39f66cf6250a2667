#include "ui/dialogs/dlg_telescope_settings.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <cmath>

#include "app/settings_records.h"
#include "app/text_ids.h"
#include "telescope/indi_client.h"
#include "ui/dialogs/range_check.h"

namespace celvaro {
namespace {

// Degrees of hour angle either side of the meridian.
constexpr const char* kEastWestSwapEnglish = "East-west swap position (degrees)";
constexpr const char* kIndiPortEnglish = "INDI server port";
// How long the server is listened to for its devices.
constexpr int kFindMilliseconds = 1500;
constexpr int kPollMilliseconds = 100;

}  // namespace

void DlgTelescopeSettings::onInitDialog() {
  window()->setWindowTitle(text(text_id::kTelescopeSettingsTitle, "Telescope settings"));
  const int row = addScopeRows(0);
  labelledEdit(kEastWestSwap, text(text_id::kEastWestSwapLabel, kEastWestSwapEnglish),
               QString::number(settings().eastWestSwapPosition), row);
  addIndiRows(row + 1);
  addOkCancel();
}

int DlgTelescopeSettings::addIndiRows(int row) {
  labelledEdit(kIndiHost, text(text_id::kIndiHostLabel, "INDI server"), QString::fromStdString(settings().indiHost),
               row);
  labelledEdit(kIndiPort, text(text_id::kIndiPortLabel, kIndiPortEnglish), QString::number(settings().indiPort),
               row + 1);
  grid()->addWidget(label(kIndiDevice + 400, text(text_id::kIndiDeviceLabel, "INDI device")), row + 2, 0);
  QComboBox* devices = comboBox(kIndiDevice);
  devices->setEditable(true);
  devices->setEditText(QString::fromStdString(settings().indiDevice));
  grid()->addWidget(devices, row + 2, 1);
  grid()->addWidget(button(kFindDevices, text(text_id::kFindIndiDevices, "Find devices")), row + 3, 1);
  grid()->addWidget(label(kIndiStatus, ""), row + 4, 0, 1, 2);
  return row + 5;
}

// A swap position or server port out of range is refused by name, and the
// dialog stays.
void DlgTelescopeSettings::onCommand(int id, int code, QWidget* control) {
  if (id == kFindDevices) {
    findDevices();
    return;
  }
  if (id == kIdOk) {
    const int swap = static_cast<int>(std::lround(decimalValue(kEastWestSwap)));
    const RangedField field{kEastWestSwapRange, text_id::kEastWestSwapLabel, kEastWestSwapEnglish};
    if (!acceptInRange(window(), resources(), swap, field) || !readIndiRows()) return;
    settings().eastWestSwapPosition = swap;
  }
  DlgTelescopeConnect::onCommand(id, code, control);
}

bool DlgTelescopeSettings::readIndiRows() {
  const int port = control<QLineEdit>(kIndiPort)->text().trimmed().toInt();
  const RangedField field{kIndiPortRange, text_id::kIndiPortLabel, kIndiPortEnglish};
  if (!acceptInRange(window(), resources(), port, field)) return false;
  settings().indiPort = port;
  const QString host = control<QLineEdit>(kIndiHost)->text().trimmed();
  if (!host.isEmpty()) settings().indiHost = host.toStdString();
  settings().indiDevice = control<QComboBox>(kIndiDevice)->currentText().trimmed().toStdString();
  return true;
}

void DlgTelescopeSettings::findDevices() {
  if (devices_.valid()) return;
  const std::string host = control<QLineEdit>(kIndiHost)->text().trimmed().toStdString();
  const int port = control<QLineEdit>(kIndiPort)->text().trimmed().toInt();
  control<QLabel>(kIndiStatus)->clear();
  devices_ = std::async(std::launch::async, findIndiTelescopes, host, port, kFindMilliseconds);
  if (!devicesTimer_) {
    devicesTimer_ = new QTimer(window());
    QObject::connect(devicesTimer_, &QTimer::timeout, window(), [this] { showDevices(); });
  }
  devicesTimer_->start(kPollMilliseconds);
}

// The telescopes found, the typed name kept when it is among them.
void DlgTelescopeSettings::showDevices() {
  if (devices_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
  devicesTimer_->stop();
  const std::vector<std::string> found = devices_.get();
  auto* list = control<QComboBox>(kIndiDevice);
  const QString typed = list->currentText();
  list->clear();
  for (const std::string& name : found) list->addItem(QString::fromStdString(name));
  if (found.empty()) control<QLabel>(kIndiStatus)->setText(text(text_id::kNoIndiDevices, "No INDI mount found."));
  const int index = list->findText(typed);
  list->setCurrentIndex(index >= 0 ? index : 0);
  if (found.empty()) list->setEditText(typed);
}

}  // namespace celvaro
