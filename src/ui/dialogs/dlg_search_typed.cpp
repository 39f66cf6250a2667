#include "ui/dialogs/dlg_search_typed.h"

#include <QGridLayout>
#include <QLineEdit>

#include <numbers>

#include "astro/text_forms.h"
#include "model/text_ids.h"

namespace celvaro {
namespace {

constexpr const char* kWays[4] = {"By name", "By number", "By provisional designation", "The user's minor planet"};
// Minor planets are numbered from 1; the lists reach some hundred thousands.
constexpr RangedField kMinorPlanetNumber{{1, 9999999}, 14808, "Number", NumberForm::kWhole};
constexpr const char* kRaName = "Right ascension (h:m:s)";
constexpr const char* kDecName = "Declination (d:m)";
constexpr double kRadPerDegree = std::numbers::pi / 180;
constexpr double kRadPerHour = 15 * kRadPerDegree;

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

// A search by number takes a whole number only, so "433x" finds nothing
// rather than (433).
void DlgSearchAsteroid::onCommand(int id, int code, QWidget* control) {
  if (id == kIdOk) {
    for (int i = 0; i < 4; ++i) {
      if (isChecked(kFirstWay + i)) query_.by = static_cast<MinorPlanetQuery::By>(i);
    }
    if (query_.by == MinorPlanetQuery::kByNumber && !typedNumber(kText, kMinorPlanetNumber)) return;
    query_.text = itemText(kText);
  }
  FwDialogBase::onCommand(id, code, control);
}

void PositionDlg::onInitDialog() {
  window()->setWindowTitle(text(text_id::kSearchPositionTitle, "Go to a position"));
  labelledEdit(kRightAscension, text(text_id::kRaDecLabelFirst, kRaName),
               QString::fromStdString(showRightAscension(raRad_)), 0);
  labelledEdit(kDeclination, text(text_id::kRaDecLabelFirst + 1, kDecName),
               QString::fromStdString(showDeclination(decRad_)), 1);
  addOkCancel();
}

// A position off the sky (a declination beyond a pole, 25 hours of right
// ascension) or a text that is no angle is refused, naming the field.
bool PositionDlg::readPosition() {
  const int first = text_id::kRaDecLabelFirst;
  const auto hours = typedNumber(kRightAscension, {kRightAscensionRange, first, kRaName, NumberForm::kSexagesimal});
  if (!hours) return false;
  const auto degrees = typedNumber(kDeclination, {kDeclinationRange, first + 1, kDecName, NumberForm::kSexagesimal});
  if (!degrees) return false;
  raRad_ = *hours * kRadPerHour;
  decRad_ = *degrees * kRadPerDegree;
  return true;
}

void PositionDlg::onCommand(int id, int code, QWidget* control) {
  if (id == kIdOk && !readPosition()) return;
  FwDialogBase::onCommand(id, code, control);
}

}  // namespace celvaro
