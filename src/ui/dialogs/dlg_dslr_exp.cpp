#include "ui/dialogs/dlg_dslr_exp.h"

#include <QHBoxLayout>

#include <algorithm>

#include "app/app_model.h"
#include "model/text_ids.h"
#include "platform/number_text.h"
#include "ui/dialogs/control_texts.h"
#include "ui/dialogs/range_check.h"
#include "ui/led_display.h"

namespace celvaro {
namespace {

// State bits: which counters show, whether the status line changes, and
// its text number in bits 4..11.
constexpr int kShowFrames = 1, kShowExposure = 2, kShowPause = 4, kChangeStatus = 8;
constexpr int kFrameDigits = 3, kTimeDigits = 2;
constexpr int kMostShown = 99;  // what two digits hold
const char* const kUnitNames[] = {"s", "min", "h"};

using D = DlgDslrExp;

constexpr ControlText kTexts[] = {
    {kWindowTitle, 14750, "DSLR bulb mode control"},
    {D::kFirstCaption, 14751, "Frames"},
    {D::kFirstCaption + 1, 14752, "Exp"},
    {D::kFirstCaption + 2, 14753, "Pause"},
    {D::kStart, 14754, "START"},
    {D::kStop, 14755, "STOP"},
    {kIdCancel, text_id::kButtonClose, "Close"},
};

int roundedUp(int value, int unit) { return (value + unit - 1) / unit; }

// A count: a whole number, never negative; -1 for any other text.
int count(const std::string& text) { return std::max(-1, wholeInt(text).value_or(-1)); }

}  // namespace

int exposureSeconds(const std::string& text) {
  const size_t colon = text.find(':');
  if (colon == std::string::npos) return count(text);
  const int minutes = count(text.substr(0, colon)), seconds = count(text.substr(colon + 1));
  if (minutes < 0 || seconds < 0 || seconds > 59 || minutes > 1000) return -1;
  return minutes * 60 + seconds;
}

ShownTime shownTime(int seconds) {
  if (seconds <= kMostShown) return {seconds, TimeUnit::kSeconds};
  if (roundedUp(seconds, 60) <= kMostShown) return {roundedUp(seconds, 60), TimeUnit::kMinutes};
  return {roundedUp(seconds, 3600), TimeUnit::kHours};
}

DlgDslrExp::DlgDslrExp(UiResources& resources, AppModel& model) : FwDialogBase(resources), model_(model) {}

DlgDslrExp::~DlgDslrExp() {
  if (model_.handOver.dialogListeners.dslrExposure == this) model_.handOver.dialogListeners.dslrExposure = nullptr;
}

void DlgDslrExp::onInitDialog() {
  const char* values[] = {"1", "60", "5"};
  for (int i = 0; i < 3; ++i) {
    grid()->addWidget(label(kFirstCaption + i, {}), i, 0);
    grid()->addWidget(edit(kFrames + i, values[i]), i, 1);
    leds_[i] = new LedDisplay(i == 0 ? kFrameDigits : kTimeDigits, window());
    leds_[i]->setObjectName(objectName(kFramesLeft + i));
    grid()->addWidget(leds_[i], i, 2);
    if (i > 0) grid()->addWidget(label(kExposureUnit + i - 1, ""), i, 3);
  }
  auto* presets = new QHBoxLayout;
  for (size_t i = 0; i < kPresets.size(); ++i) presets->addWidget(button(kFirstPreset + static_cast<int>(i), kPresets[i]));
  grid()->addLayout(presets, 3, 0, 1, 4);
  grid()->addWidget(button(kStart, {}), 4, 0);
  grid()->addWidget(button(kStop, {}), 4, 1);
  grid()->addWidget(label(kStatus, ""), 5, 0, 1, 4);
  grid()->addWidget(button(kIdCancel, {}), 6, 2, 1, 2);
  showControlTexts(*this, resources(), kTexts);
  QObject::connect(window(), &QDialog::finished, window(), [this] {
    if (model_.handOver.dialogListeners.dslrExposure == this) model_.handOver.dialogListeners.dslrExposure = nullptr;
  });
}

LedDisplay* DlgDslrExp::led(int id) const { return leds_[id - kFramesLeft]; }

void DlgDslrExp::onCommand(int id, int code, QWidget* control) {
  if (id >= kFirstPreset && id < kFirstPreset + static_cast<int>(kPresets.size())) {
    setItemText(kExposure, kPresets[id - kFirstPreset]);
  } else if (id == kStart) {
    start();
  } else if (id == kStop) {
    if (iTelescopeControl* link = model_.telescope()) link->stopDslrSeries();
  } else {
    FwDialogBase::onCommand(id, code, control);
  }
}

// Fields that are not numbers, or too large for the link, are refused by
// name and start nothing.
void DlgDslrExp::start() {
  int values[3];
  for (int i = 0; i < 3; ++i) {
    const std::string typed = itemText(kFrames + i);
    values[i] = i == 0 ? count(typed) : exposureSeconds(typed);
    const ControlText& caption = kTexts[1 + i];
    const RangedField field{{0, kLargestValue}, caption.textId, caption.english, NumberForm::kWhole};
    if (!acceptInRange(window(), resources(), values[i], field)) return;
  }
  if (iTelescopeControl* link = model_.telescope()) link->startDslrSeries(values[0], values[1], values[2]);
}

void DlgDslrExp::showSeriesStatus(int state, int framesLeft, int exposureLeft, int pauseLeft) {
  led(kFramesLeft)->setValue(state & kShowFrames ? framesLeft : -1);
  showTime(kExposureLeft, state & kShowExposure ? exposureLeft : -1);
  showTime(kPauseLeft, state & kShowPause ? pauseLeft : -1);
  if (state & kChangeStatus) {
    statusTextId_ = text_id::kDslrStatusFirst + ((state >> 4) & 0xFF);
    showStatusLine();
  }
}

void DlgDslrExp::showStatusLine() { setItemText(kStatus, resources().textOr(statusTextId_, "")); }

void DlgDslrExp::showTime(int ledId, int seconds) {
  const ShownTime shown = shownTime(seconds);
  led(ledId)->setValue(seconds < 0 ? -1 : shown.value);
  units_[ledId - kExposureLeft] = seconds < 0 ? -1 : static_cast<int>(shown.unit);
  showUnit(ledId);
}

void DlgDslrExp::showUnit(int ledId) {
  const int unit = units_[ledId - kExposureLeft];
  const int unitId = ledId == kExposureLeft ? kExposureUnit : kPauseUnit;
  setItemText(unitId, unit < 0 ? "" : resources().textOr(text_id::kDslrUnitFirst + unit, kUnitNames[unit]));
}

void DlgDslrExp::languageChanged() {
  if (!window()) return;
  showControlTexts(*this, resources(), kTexts);
  showStatusLine();
  showUnit(kExposureLeft);
  showUnit(kPauseLeft);
}

void DlgDslrExp::showOver(QWidget* parent) {
  create(parent);
  model_.handOver.dialogListeners.dslrExposure = this;
  window()->show();
  window()->raise();
}

}  // namespace celvaro
