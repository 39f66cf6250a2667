#include "ui/dialogs/dlg_scope_spiral_search.h"

#include <QSlider>

#include <algorithm>

namespace celvaro {
namespace {

constexpr RangedField kRadiusField{kSpiralRadiusRange, 14743, "arcmin / rotation", NumberForm::kWhole};
constexpr RangedField kTurnsField{kSpiralTurnsRange, 14744, "Turns", NumberForm::kWhole};

}  // namespace

void DlgScopeSpiralSearch::onInitDialog() {
  window()->setWindowTitle(text(14740, "Settings for spiral search"));
  grid()->addWidget(label(kSpeed + 10, text(14741, "Slow")), 0, 0);
  grid()->addWidget(bareSlider(kSpeed, 0, kFastest, 0), 0, 1);
  grid()->addWidget(label(kSpeed + 20, text(14742, "Fast")), 0, 2);
  grid()->addWidget(label(kRadius + 10, text(kRadiusField.nameTextId, kRadiusField.englishName)), 1, 0);
  grid()->addWidget(edit(kRadius, ""), 1, 1);
  grid()->addWidget(label(kTurns + 10, text(kTurnsField.nameTextId, kTurnsField.englishName)), 2, 0);
  grid()->addWidget(edit(kTurns, ""), 2, 1);
  grid()->addWidget(button(kDefault, text(14745, "Default")), 3, 0);
  show(settings_);
  addOkCancel();
}

void DlgScopeSpiralSearch::show(const SpiralSearchSettings& values) {
  control<QSlider>(kSpeed)->setValue(std::clamp(values.speed, 0, kFastest));
  setItemText(kRadius, std::to_string(values.radius));
  setItemText(kTurns, std::to_string(values.turns));
}

void DlgScopeSpiralSearch::onCommand(int id, int code, QWidget* control) {
  if (id == kDefault) {
    show(SpiralSearchSettings{});
    return;
  }
  if (id == kIdOk && !takeShownValues()) return;
  FwDialogBase::onCommand(id, code, control);
}

// Texts that are no whole numbers and values the link cannot carry are
// refused by name, and the dialog stays.
bool DlgScopeSpiralSearch::takeShownValues() {
  const std::optional<double> radius = typedNumber(kRadius, kRadiusField);
  const std::optional<double> turns = radius ? typedNumber(kTurns, kTurnsField) : std::nullopt;
  if (!turns) return false;
  settings_ = {this->control<QSlider>(kSpeed)->value(), static_cast<int>(*radius), static_cast<int>(*turns)};
  return true;
}

}  // namespace celvaro
