#include "ui/dialogs/dlg_languages.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <string_view>

#include "app/ui_resources.h"
#include "model/text_ids.h"
#include "platform/locale_language.h"

namespace celvaro {

void LanguageButtonsDialog::addLanguageButtons(int row) {
  for (int i = 0; i < 4; ++i) {
    grid()->addWidget(button(kFirstButton + i, nativeLanguageName(order_[i])), row, i);
  }
}

// Enter and Space answer with the preselected language.
void LanguageButtonsDialog::preselect(std::string_view code) {
  int index = static_cast<int>(std::find(order_.begin(), order_.end(), kEnglish) - order_.begin());
  for (int i = 0; i < 4; ++i) {
    if (languageCode(order_[i]) == code) index = i;
  }
  auto* b = control<QPushButton>(kFirstButton + index);
  b->setDefault(true);
  b->setFocus();
}

void LanguageButtonsDialog::onCommand(int id, int code, QWidget* control) {
  if (id >= kFirstButton && id < kFirstButton + 4) {
    chosen_ = order_[id - kFirstButton];
    endDialog(1);
    return;
  }
  FwDialogBase::onCommand(id, code, control);
}

DlgLanguageOpen::DlgLanguageOpen(UiResources& resources)
    : LanguageButtonsDialog(resources, {kEnglish, kGerman, kHungarian, kRomanian}) {}

void DlgLanguageOpen::onInitDialog() {
  window()->setWindowTitle("Celvaro");
  grid()->addWidget(label(1002, QString::fromUtf8("Válasszon nyelvet!")), 0, 0, 1, 4);
  grid()->addWidget(label(1003, QString::fromUtf8("Vă rog să alegeţi o limbă!")), 1, 0, 1, 4);
  addLanguageButtons(2);
  preselect(messagesLanguage());
}

DlgLanguages::DlgLanguages(UiResources& resources)
    : LanguageButtonsDialog(resources, {kHungarian, kEnglish, kGerman, kRomanian}) {}

void DlgLanguages::onInitDialog() {
  window()->setWindowTitle(text(text_id::kLanguageTitle, "Language"));
  addLanguageButtons(0);
  grid()->addWidget(button(kIdCancel, text(text_id::kButtonCancel, "Cancel")), 1, 3);
}

}  // namespace celvaro
