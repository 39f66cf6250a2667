#include "ui/dialogs/control_texts.h"

#include <QAbstractButton>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>

#include "app/ui_resources.h"
#include "ui/dialog_framework.h"

namespace celvaro {

void showControlTexts(const FwDialogBase& dialog, UiResources& resources, std::span<const ControlText> texts) {
  if (!dialog.window()) return;
  for (const ControlText& t : texts) {
    const QString caption = QString::fromStdString(resources.textOr(t.textId, t.english));
    if (t.id == kWindowTitle) {
      dialog.window()->setWindowTitle(caption);
    } else if (auto* b = dialog.control<QAbstractButton>(t.id)) {
      b->setText(caption);
    } else if (auto* l = dialog.control<QLabel>(t.id)) {
      l->setText(caption);
    } else if (auto* g = dialog.control<QGroupBox>(t.id)) {
      g->setTitle(caption);
    }
  }
}

}  // namespace celvaro
