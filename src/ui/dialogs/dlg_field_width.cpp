#include "ui/dialogs/dlg_field_width.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

#include "app/navigation.h"
#include "astro/text_forms.h"
#include "model/text_ids.h"

namespace celvaro {
namespace {

constexpr const char* kPresets[] = {"180:00", "120:00", "60:00", "30:00", "15:00", "5:00", "1:00"};
// Degrees; the chart widens a narrower field to its least.
constexpr RangedField kFieldOfView{{0, kMaxFieldArcmin / 60.0}, 14420, "Field of view (degrees:minutes)",
                                   NumberForm::kSexagesimal};

}  // namespace

void DlgFieldWidth::onInitDialog() {
  window()->setWindowTitle(text(text_id::kFieldDialogTitle, "Field of view"));
  grid()->addWidget(label(90, text(kFieldOfView.nameTextId, kFieldOfView.englishName)), 0, 0, 1, 2);
  grid()->addWidget(edit(kField, QString::fromStdString(showSixtieths(field_))), 0, 2, 1, 2);
  for (int i = 0; i < 7; ++i) grid()->addWidget(button(kFirstPreset + i, kPresets[i]), 1 + i / 4, i % 4);
  addOkCancel();
}

void DlgFieldWidth::onCommand(int id, int code, QWidget* control) {
  if (id >= kFirstPreset && id < kFirstPreset + 7) {
    setItemText(kField, kPresets[id - kFirstPreset]);
    return;
  }
  if (id == kIdOk) {
    const std::optional<double> degrees = typedNumber(kField, kFieldOfView);
    if (!degrees) return;
    field_ = static_cast<int>(std::lround(*degrees * 60));
  }
  FwDialogBase::onCommand(id, code, control);
}

}  // namespace celvaro
