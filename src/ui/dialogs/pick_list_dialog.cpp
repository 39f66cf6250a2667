#include "ui/dialogs/pick_list_dialog.h"

#include <QGridLayout>
#include <QListWidget>

namespace celvaro {

void PickListDialog::onInitDialog() {
  window()->setWindowTitle(text(titleTextId_, title_));
  auto* names = new QListWidget(window());
  names->setObjectName(objectName(kList));
  names->addItems(names_);
  if (!names_.isEmpty()) names->setCurrentRow(0);
  QObject::connect(names, &QListWidget::itemDoubleClicked, window(), [this] { onCommand(kIdOk, kClicked, nullptr); });
  grid()->addWidget(names, 0, 0);
  addOkCancel();
  window()->resize(320, 420);
}

QListWidget* PickListDialog::list() const { return control<QListWidget>(kList); }

// OK without a current row leaves the dialog open.
void PickListDialog::onCommand(int id, int code, QWidget* control) {
  if (id == kIdOk) {
    chosen_ = list()->currentRow();
    if (chosen_ < 0) return;
  }
  FwDialogBase::onCommand(id, code, control);
}

}  // namespace celvaro
