#include "ui/dialogs/dlg_scope_spiral_search.h"

#include <QSlider>

#include <algorithm>
#include <charconv>

#include "ui/dialogs/range_check.h"

namespace celvaro {
namespace {

// A field that does not begin with a number (after blanks) keeps what the
// settings held; what follows the number is ignored.
int fieldValue(const std::string& text, int otherwise) {
  const size_t start = std::min(text.find_first_not_of(' '), text.size());
  int value = 0;
  const auto [end, error] = std::from_chars(text.data() + start, text.data() + text.size(), value);
  return error == std::errc() ? value : otherwise;
}

}  // namespace

void DlgScopeSpiralSearch::onInitDialog() {
  window()->setWindowTitle(text(14740, "Settings for spiral search"));
  grid()->addWidget(label(kSpeed + 10, text(14741, "Slow")), 0, 0);
  grid()->addWidget(bareSlider(kSpeed, 0, kFastest, 0), 0, 1);
  grid()->addWidget(label(kSpeed + 20, text(14742, "Fast")), 0, 2);
  grid()->addWidget(label(kRadius + 10, text(14743, "arcmin / rotation")), 1, 0);
  grid()->addWidget(edit(kRadius, ""), 1, 1);
  grid()->addWidget(label(kTurns + 10, text(14744, "Turns")), 2, 0);
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

// Values the link cannot carry are refused by name, and the dialog stays.
bool DlgScopeSpiralSearch::takeShownValues() {
  const int radius = fieldValue(itemText(kRadius), settings_.radius);
  const int turns = fieldValue(itemText(kTurns), settings_.turns);
  if (!acceptInRange(window(), resources(), radius, {kSpiralRadiusRange, 14743, "arcmin / rotation"}) ||
      !acceptInRange(window(), resources(), turns, {kSpiralTurnsRange, 14744, "Turns"})) {
    return false;
  }
  settings_ = {this->control<QSlider>(kSpeed)->value(), radius, turns};
  return true;
}

}  // namespace celvaro
