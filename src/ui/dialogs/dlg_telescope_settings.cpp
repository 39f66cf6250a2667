#include "ui/dialogs/dlg_telescope_settings.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "model/text_ids.h"
#include "telescope/indi_client.h"
#include "telescope/settings_records.h"

namespace celvaro {
namespace {

// Degrees of hour angle either side of the meridian, whole ones.
constexpr const char* kEastWestSwapEnglish = "East-west swap position (degrees)";
constexpr RangedField kEastWestSwapField{kEastWestSwapRange, text_id::kEastWestSwapLabel, kEastWestSwapEnglish,
                                    NumberForm::kWhole};
constexpr RangedField kIndiPortField{kIndiPortRange, text_id::kIndiPortLabel, "INDI server port", NumberForm::kWhole};
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
  labelledEdit(kIndiPort, text(kIndiPortField.nameTextId, kIndiPortField.englishName), QString::number(settings().indiPort),
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

// A swap position or server port that is no whole number or out of range
// is refused by name, and the dialog stays.
void DlgTelescopeSettings::onCommand(int id, int code, QWidget* control) {
  if (id == kFindDevices) {
    findDevices();
    return;
  }
  if (id == kIdOk) {
    const std::optional<double> swap = typedNumber(kEastWestSwap, kEastWestSwapField);
    if (!swap || !readIndiRows()) return;
    settings().eastWestSwapPosition = static_cast<int>(*swap);
  }
  DlgTelescopeConnect::onCommand(id, code, control);
}

bool DlgTelescopeSettings::readIndiRows() {
  const std::optional<double> port = typedNumber(kIndiPort, kIndiPortField);
  if (!port) return false;
  settings().indiPort = static_cast<int>(*port);
  const QString host = control<QLineEdit>(kIndiHost)->text().trimmed();
  if (!host.isEmpty()) settings().indiHost = host.toStdString();
  settings().indiDevice = control<QComboBox>(kIndiDevice)->currentText().trimmed().toStdString();
  return true;
}

void DlgTelescopeSettings::findDevices() {
  if (devices_.valid()) return;
  const std::string host = control<QLineEdit>(kIndiHost)->text().trimmed().toStdString();
  const std::optional<double> port = typedNumber(kIndiPort, kIndiPortField);
  if (!port) return;
  control<QLabel>(kIndiStatus)->clear();
  devices_ = std::async(std::launch::async, findIndiTelescopes, host, static_cast<int>(*port), kFindMilliseconds);
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
