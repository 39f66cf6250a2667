#include "ui/dialogs/dlg_auto_guider_monitor.h"

#include "app/app_model.h"
#include "app/text_ids.h"
#include "ui/dialogs/dlg_telescope_connect.h"
#include "ui/difference_graph.h"

namespace celvaro {

DlgAutoGuiderMonitor::DlgAutoGuiderMonitor(UiResources& resources, AppModel& model)
    : FwDialogBase(resources), model_(model) {}

DlgAutoGuiderMonitor::~DlgAutoGuiderMonitor() {
  if (model_.dialogListeners.autoguiderMonitor == this) model_.dialogListeners.autoguiderMonitor = nullptr;
}

void DlgAutoGuiderMonitor::onInitDialog() {
  window()->setWindowTitle(text(14760, "Monitoring external autoguider program"));
  QComboBox* ports = comboBox(kPort);
  fillSerialPorts(*ports, resources(), model_.programDir());
  ports->setCurrentIndex(firstPortBesides(model_.scope.port) - 1);
  grid()->addWidget(ports, 0, 0, 1, 2);
  grid()->addWidget(button(kConnect, text(14700, "Connect")), 0, 2);
  grid()->addWidget(button(kDisconnect, text(14701, "Disconnect")), 0, 3);
  ra_ = new DifferenceGraph(window());
  dec_ = new DifferenceGraph(window());
  ra_->setObjectName(objectName(kRaGraph));
  dec_->setObjectName(objectName(kDecGraph));
  grid()->addWidget(label(kRaGraph + 10, text(14761, "Ra:")), 1, 0);
  grid()->addWidget(ra_, 1, 1, 1, 3);
  grid()->addWidget(label(kDecGraph + 10, text(14762, "De:")), 2, 0);
  grid()->addWidget(dec_, 2, 1, 1, 3);
  grid()->setColumnStretch(1, 1);
  grid()->addWidget(label(kStatus, ""), 3, 0, 1, 4);
  QLabel* note = label(kNotSent, "");
  note->setWordWrap(true);
  grid()->addWidget(note, 4, 0, 1, 4);
  grid()->addWidget(button(kIdCancel, text(text_id::kButtonClose, "Close")), 5, 3);
  QObject::connect(window(), &QDialog::finished, window(), [this] {
    if (model_.dialogListeners.autoguiderMonitor == this) model_.dialogListeners.autoguiderMonitor = nullptr;
  });
}

void DlgAutoGuiderMonitor::onCommand(int id, int code, QWidget* control) {
  iTelescopeControl* link = model_.telescope();
  if (id == kConnect && link) link->openGuiderPort(this->control<QComboBox>(kPort)->currentIndex() + 1);
  else if (id == kDisconnect && link) link->closeGuiderPort();
  else if (id != kConnect && id != kDisconnect) FwDialogBase::onCommand(id, code, control);
}

void DlgAutoGuiderMonitor::showGuiderPortState(int code) {
  setItemText(kStatus, resources().textOr(text_id::kGuiderStateFirst + code, ""));
}

void DlgAutoGuiderMonitor::addMovementSample(int dx, int dy) {
  ra_->addSample(dx);
  dec_->addSample(dy);
}

void DlgAutoGuiderMonitor::showCorrectionsSent(bool sent) {
  const char* english = "Corrections are not sent to the mount: no mount that takes guide corrections is connected.";
  setItemText(kNotSent, sent ? "" : resources().textOr(text_id::kCorrectionsNotSent, english));
}

void DlgAutoGuiderMonitor::showOver(QWidget* parent) {
  create(parent);
  showCorrectionsSent(model_.mountTakesGuideCorrections());
  model_.dialogListeners.autoguiderMonitor = this;
  window()->show();
  window()->raise();
}

}  // namespace celvaro
