#include "ui/dialogs/dlg_auto_guider_monitor.h"

#include "app/app_model.h"
#include "model/text_ids.h"
#include "ui/dialogs/control_texts.h"
#include "ui/dialogs/dlg_telescope_connect.h"
#include "ui/difference_graph.h"

namespace celvaro {
namespace {

using D = DlgAutoGuiderMonitor;

constexpr ControlText kTexts[] = {
    {kWindowTitle, 14760, "Monitoring external autoguider program"},
    {D::kConnect, 14700, "Connect"},
    {D::kDisconnect, 14701, "Disconnect"},
    {D::kRaGraph + 10, 14761, "Ra:"},
    {D::kDecGraph + 10, 14762, "De:"},
    {kIdCancel, text_id::kButtonClose, "Close"},
};

// The ports again, in the language's words, keeping the chosen one.
void refillPorts(QComboBox& ports, UiResources& resources, const std::string& programDir) {
  const int chosen = ports.currentIndex();
  ports.clear();
  fillSerialPorts(ports, resources, programDir);
  ports.setCurrentIndex(chosen);
}

}  // namespace

DlgAutoGuiderMonitor::DlgAutoGuiderMonitor(UiResources& resources, AppModel& model)
    : FwDialogBase(resources), model_(model) {}

DlgAutoGuiderMonitor::~DlgAutoGuiderMonitor() {
  if (model_.handOver.dialogListeners.autoguiderMonitor == this) model_.handOver.dialogListeners.autoguiderMonitor = nullptr;
}

void DlgAutoGuiderMonitor::onInitDialog() {
  QComboBox* ports = comboBox(kPort);
  fillSerialPorts(*ports, resources(), model_.portsDirectory());
  ports->setCurrentIndex(firstPortBesides(model_.scope.port) - 1);
  grid()->addWidget(ports, 0, 0, 1, 2);
  grid()->addWidget(button(kConnect, {}), 0, 2);
  grid()->addWidget(button(kDisconnect, {}), 0, 3);
  ra_ = new DifferenceGraph(window());
  dec_ = new DifferenceGraph(window());
  ra_->setObjectName(objectName(kRaGraph));
  dec_->setObjectName(objectName(kDecGraph));
  grid()->addWidget(label(kRaGraph + 10, {}), 1, 0);
  grid()->addWidget(ra_, 1, 1, 1, 3);
  grid()->addWidget(label(kDecGraph + 10, {}), 2, 0);
  grid()->addWidget(dec_, 2, 1, 1, 3);
  grid()->setColumnStretch(1, 1);
  grid()->addWidget(label(kStatus, ""), 3, 0, 1, 4);
  QLabel* note = label(kNotSent, "");
  note->setWordWrap(true);
  grid()->addWidget(note, 4, 0, 1, 4);
  grid()->addWidget(button(kIdCancel, {}), 5, 3);
  showControlTexts(*this, resources(), kTexts);
  QObject::connect(window(), &QDialog::finished, window(), [this] {
    if (model_.handOver.dialogListeners.autoguiderMonitor == this) model_.handOver.dialogListeners.autoguiderMonitor = nullptr;
  });
}

void DlgAutoGuiderMonitor::onCommand(int id, int code, QWidget* control) {
  iTelescopeControl* link = model_.telescope();
  if (id == kConnect && link) link->openGuiderPort(this->control<QComboBox>(kPort)->currentIndex() + 1);
  else if (id == kDisconnect && link) link->closeGuiderPort();
  else if (id != kConnect && id != kDisconnect) FwDialogBase::onCommand(id, code, control);
}

void DlgAutoGuiderMonitor::showGuiderPortState(int code) {
  portState_ = code;
  setItemText(kStatus, code < 0 ? "" : resources().textOr(text_id::kGuiderStateFirst + code, ""));
}

void DlgAutoGuiderMonitor::addMovementSample(int dx, int dy) {
  ra_->addSample(dx);
  dec_->addSample(dy);
}

void DlgAutoGuiderMonitor::showCorrectionsSent(bool sent) {
  correctionsSent_ = sent;
  const char* english = "Corrections are not sent to the mount: no mount that takes guide corrections is connected.";
  setItemText(kNotSent, sent ? "" : resources().textOr(text_id::kCorrectionsNotSent, english));
}

void DlgAutoGuiderMonitor::languageChanged() {
  if (!window()) return;
  showControlTexts(*this, resources(), kTexts);
  refillPorts(*control<QComboBox>(kPort), resources(), model_.portsDirectory());
  showGuiderPortState(portState_);
  showCorrectionsSent(correctionsSent_);
}

void DlgAutoGuiderMonitor::showOver(QWidget* parent) {
  create(parent);
  showCorrectionsSent(model_.handOver.mountTakesGuideCorrections());
  model_.handOver.dialogListeners.autoguiderMonitor = this;
  window()->show();
  window()->raise();
}

}  // namespace celvaro
