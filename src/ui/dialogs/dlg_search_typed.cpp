#include "ui/dialogs/dlg_search_typed.h"

#include <QGridLayout>
#include <QLineEdit>

#include "app/text_ids.h"
#include "astro/text_forms.h"

namespace celvaro {
namespace {

constexpr const char* kWays[4] = {"By name", "By number", "By provisional designation", "The user's minor planet"};

}  // namespace

void DlgSimpleQuestion::onInitDialog() {
  window()->setWindowTitle(text(title_.id, title_.builtIn));
  grid()->addWidget(label(90, text(question_.id, question_.builtIn)), 0, 0);
  grid()->addWidget(edit(kAnswer, ""), 1, 0);
  addOkCancel();
}

void DlgSimpleQuestion::onCommand(int id, int code, QWidget* control) {
  if (id == kIdOk) answer_ = itemText(kAnswer);
  FwDialogBase::onCommand(id, code, control);
}

void DlgSearchAsteroid::onInitDialog() {
  window()->setWindowTitle(text(text_id::kSearchMinorPlanetTitle, "Find a minor planet"));
  for (int i = 0; i < 4; ++i) {
    grid()->addWidget(radioButton(kFirstWay + i, text(text_id::kMinorPlanetWayFirst + i, kWays[i]), i == 0), i, 0, 1, 2);
  }
  labelledEdit(kText, text(text_id::kMinorPlanetWayFirst + 4, "Name, number or designation"), "", 4);
  addOkCancel();
}

void DlgSearchAsteroid::onCommand(int id, int code, QWidget* control) {
  if (id == kIdOk) {
    for (int i = 0; i < 4; ++i) {
      if (isChecked(kFirstWay + i)) query_.by = static_cast<MinorPlanetQuery::By>(i);
    }
    query_.text = itemText(kText);
  }
  FwDialogBase::onCommand(id, code, control);
}

void PositionDlg::onInitDialog() {
  window()->setWindowTitle(text(text_id::kSearchPositionTitle, "Go to a position"));
  labelledEdit(kRightAscension, text(text_id::kRaDecLabelFirst, "Right ascension (h:m:s)"),
               QString::fromStdString(showRightAscension(raRad_)), 0);
  labelledEdit(kDeclination, text(text_id::kRaDecLabelFirst + 1, "Declination (d:m)"),
               QString::fromStdString(showDeclination(decRad_)), 1);
  addOkCancel();
}

void PositionDlg::onCommand(int id, int code, QWidget* control) {
  if (id == kIdOk) {
    raRad_ = readRightAscensionRad(itemText(kRightAscension));
    decRad_ = readDeclination(itemText(kDeclination));
  }
  FwDialogBase::onCommand(id, code, control);
}

}  // namespace celvaro
