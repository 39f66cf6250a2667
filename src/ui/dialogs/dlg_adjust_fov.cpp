#include "ui/dialogs/dlg_adjust_fov.h"

#include <QDialog>
#include <QGridLayout>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

#include "app/app_model.h"
#include "astro/text_forms.h"
#include "model/text_ids.h"
#include "ui/dialogs/fov_preview_panel.h"

namespace celvaro {
namespace {

// A track bar's position is the value plus its offset: shifts of -60..60
// arcminutes, rotations of -180..180 degrees.
constexpr int kShiftOffset = 60, kRotationOffset = 180;
constexpr int kShiftStep = 6, kRotationStep = 15;
constexpr int kPreviewScaleMax = 20, kPreviewScaleStart = 10, kPreviewScaleBase = 10;
constexpr int kOpacityMin = 20, kOpacityMax = 200;
constexpr double kOpaque = 255.0;

int offsetOf(int trackBarId) {
  return trackBarId < DlgAdjustFov::kCameraRotation ? kShiftOffset : kRotationOffset;
}

// An element box, the bit it stands for and its edits.
struct Element {
  int box;
  int bit;
  int firstEdit, lastEdit;
};
constexpr Element kElements[] = {
    {DlgAdjustFov::kCamera, FovScheme::kCamera, DlgAdjustFov::kCameraWidth, DlgAdjustFov::kCameraHeight},
    {DlgAdjustFov::kTotalField, FovScheme::kTotalField, DlgAdjustFov::kTotalFieldRadius,
     DlgAdjustFov::kTotalFieldRadius},
    {DlgAdjustFov::kGuider, FovScheme::kGuider, DlgAdjustFov::kGuiderWidth, DlgAdjustFov::kGuiderOffset},
};

// The scheme's lengths by their edits.
struct LengthEdit {
  int id;
  int FovScheme::*length;
};
constexpr LengthEdit kLengthEdits[] = {
    {DlgAdjustFov::kCameraWidth, &FovScheme::cameraWidth},
    {DlgAdjustFov::kCameraHeight, &FovScheme::cameraHeight},
    {DlgAdjustFov::kTotalFieldRadius, &FovScheme::totalFieldRadius},
    {DlgAdjustFov::kGuiderWidth, &FovScheme::guiderWidth},
    {DlgAdjustFov::kGuiderHeight, &FovScheme::guiderHeight},
    {DlgAdjustFov::kGuiderOffset, &FovScheme::guiderOffset},
};

// The texts of the dialog, as offsets from its first language text.
enum Text : int {
  kCameraText, kTotalFieldText, kGuiderText, kWidthText, kHeightText, kRadiusText, kOffsetText,
  kFocalLengthText, kRemoveText, kPreviewScaleText, kShiftRaText, kShiftDecText, kCameraRotationText,
  kGuiderRotationText, kLockText, kResetText, kTransparencyText,
};

// The label of a field or a track bar has the control's id + 400.
constexpr int kLabelOf = 400;

struct Caption {
  int id;
  Text text;
  const char* english;
};
constexpr Caption kCaptions[] = {
    {DlgAdjustFov::kCamera, kCameraText, "CCD"},
    {DlgAdjustFov::kTotalField, kTotalFieldText, "FOV"},
    {DlgAdjustFov::kGuider, kGuiderText, "Guider"},
    {DlgAdjustFov::kCameraWidth + kLabelOf, kWidthText, "Width (mm)"},
    {DlgAdjustFov::kCameraHeight + kLabelOf, kHeightText, "Height (mm)"},
    {DlgAdjustFov::kTotalFieldRadius + kLabelOf, kRadiusText, "Radius (mm)"},
    {DlgAdjustFov::kGuiderWidth + kLabelOf, kWidthText, "Width (mm)"},
    {DlgAdjustFov::kGuiderHeight + kLabelOf, kHeightText, "Height (mm)"},
    {DlgAdjustFov::kGuiderOffset + kLabelOf, kOffsetText, "Offset (mm)"},
    {DlgAdjustFov::kFocalLength + kLabelOf, kFocalLengthText, "Focal length (mm)"},
    {DlgAdjustFov::kRemove, kRemoveText, "Remove from the chart"},
    {DlgAdjustFov::kPreviewScale + kLabelOf, kPreviewScaleText, "Preview scale"},
    {DlgAdjustFov::kShiftRa + kLabelOf, kShiftRaText, "Shift in right ascension (′)"},
    {DlgAdjustFov::kShiftDec + kLabelOf, kShiftDecText, "Shift in declination (′)"},
    {DlgAdjustFov::kCameraRotation + kLabelOf, kCameraRotationText, "Camera rotation (°)"},
    {DlgAdjustFov::kGuiderRotation + kLabelOf, kGuiderRotationText, "Guider rotation (°)"},
    {DlgAdjustFov::kLock, kLockText, "CCD to Guider lock"},
    {DlgAdjustFov::kReset, kResetText, "Reset"},
    {DlgAdjustFov::kTransparency, kTransparencyText, "Transparency"},
};

const Caption& captionOf(int id) {
  return *std::find_if(std::begin(kCaptions), std::end(kCaptions), [id](const Caption& c) { return c.id == id; });
}

// Millimetres in the focal plane, and the focal length.
constexpr ValueRange kLengthRange{0, 1000}, kFocalLengthRange{1, 100000};  // no lens has no focal length

}  // namespace

DlgAdjustFov::DlgAdjustFov(UiResources& resources, AppModel& model)
    : FwDialogBaseScroll(resources), model_(model), overlayListener_(model.fov) {
  model_.fov.dialog = this;
}

DlgAdjustFov::~DlgAdjustFov() {
  if (model_.fov.dialog == this) model_.fov.dialog = nullptr;
}

void DlgAdjustFov::onInitDialog() {
  window()->setWindowTitle(text(text_id::kFovOverlayTitle, "Field-of-view overlay"));
  const int row = addAdjustmentRows(addSchemeRows());
  addWindowRows(row);
  enableElementEdits();
  showAdjustment();
  control(kCamera)->setFocus();
}

QString DlgAdjustFov::caption(int id) {
  const Caption& c = captionOf(id);
  return text(text_id::kFovLabelFirst + c.text, c.english);
}

// The element boxes and sizes on the left, the preview and its scale on the right.
int DlgAdjustFov::addSchemeRows() {
  const FovScheme& f = model_.fov.schemes.scheme;
  QGridLayout* g = grid();
  auto field = [&](int id, const QString& value, int row, int column) {
    g->addWidget(label(id + kLabelOf, caption(id + kLabelOf)), row, column);
    g->addWidget(focusEdit(id, value), row, column + 1);
  };
  auto size = [&](int id, int hundredths, int row, int column) {
    field(id, QString::fromStdString(showHundredths(hundredths)), row, column);
  };
  g->addWidget(checkBox(kCamera, caption(kCamera), f.flags & FovScheme::kCamera), 0, 0);
  size(kCameraWidth, f.cameraWidth, 1, 0);
  size(kCameraHeight, f.cameraHeight, 1, 2);
  g->addWidget(checkBox(kTotalField, caption(kTotalField), f.flags & FovScheme::kTotalField), 2, 0);
  size(kTotalFieldRadius, f.totalFieldRadius, 3, 0);
  g->addWidget(checkBox(kGuider, caption(kGuider), f.flags & FovScheme::kGuider), 4, 0);
  size(kGuiderWidth, f.guiderWidth, 5, 0);
  size(kGuiderHeight, f.guiderHeight, 5, 2);
  size(kGuiderOffset, f.guiderOffset, 6, 0);
  field(kFocalLength, QString::number(f.focalLength), 7, 0);
  g->addWidget(button(kRemove, caption(kRemove)), 7, 2, 1, 2);
  preview_ = new FovPreviewPanel(f, window());
  g->addWidget(preview_, 0, 4, 7, 2);
  g->addWidget(label(kPreviewScale + kLabelOf, caption(kPreviewScale + kLabelOf)), 7, 4);
  g->addWidget(scrollSlider(kPreviewScale, 0, kPreviewScaleMax, kPreviewScaleStart), 7, 5);
  return 8;
}

void DlgAdjustFov::addTrackBarRow(int id, int maximum, int step, int row) {
  grid()->addWidget(label(id + kLabelOf, caption(id + kLabelOf)), row, 0, 1, 2);
  QSlider* bar = scrollSlider(id, 0, maximum, maximum / 2);
  bar->setPageStep(step);
  bar->setTickInterval(step);
  bar->setTickPosition(QSlider::TicksBelow);
  grid()->addWidget(bar, row, 2, 1, 3);
  grid()->addWidget(focusEdit(id + kEditStep, "0"), row, 5);
}

int DlgAdjustFov::addAdjustmentRows(int row) {
  addTrackBarRow(kShiftRa, 2 * kShiftOffset, kShiftStep, row);
  addTrackBarRow(kShiftDec, 2 * kShiftOffset, kShiftStep, row + 1);
  addTrackBarRow(kCameraRotation, 2 * kRotationOffset, kRotationStep, row + 2);
  addTrackBarRow(kGuiderRotation, 2 * kRotationOffset, kRotationStep, row + 3);
  grid()->addWidget(checkBox(kLock, caption(kLock), false), row + 4, 0, 1, 2);
  grid()->addWidget(button(kReset, caption(kReset)), row + 4, 2);
  return row + 5;
}

void DlgAdjustFov::addWindowRows(int row) {
  grid()->addWidget(checkBox(kTransparency, caption(kTransparency), false), row, 0, 1, 2);
  grid()->addWidget(scrollSlider(kOpacity, kOpacityMin, kOpacityMax, kStartOpacity), row, 2, 1, 3);
  grid()->addWidget(button(kIdCancel, text(text_id::kButtonClose, "Close")), row + 1, 5);
}

void DlgAdjustFov::languageChanged() {
  if (!window()) return;
  setDialogTexts(text_id::kFovOverlayTitle, {{kIdCancel, text_id::kButtonClose}});
  for (const Caption& c : kCaptions) setDialogTexts(text_id::kFovOverlayTitle, {{c.id, text_id::kFovLabelFirst + c.text}});
}

void DlgAdjustFov::showOver(QWidget* parent) {
  create(parent);
  window()->show();
  window()->raise();
  window()->activateWindow();
}

// --- events ---------------------------------------------------------------------------

bool DlgAdjustFov::isSchemeEdit(int id) const {
  return id == kFocalLength || std::any_of(std::begin(kLengthEdits), std::end(kLengthEdits),
                                           [id](const LengthEdit& e) { return e.id == id; });
}

void DlgAdjustFov::onCommand(int id, int code, QWidget* control) {
  const bool clicked = code == kClicked, focusLost = code == kFocusLost;
  if (id == kCamera || id == kTotalField || id == kGuider) {
    enableElementEdits();
    schemeChanged();
  } else if (isSchemeEdit(id)) {
    if (focusLost) schemeChanged();
  } else if (id >= kShiftRa + kEditStep && id <= kGuiderRotation + kEditStep) {
    if (focusLost) adjustmentTyped(id);
  } else if (id == kLock && clicked) {
    setLock(isChecked(kLock));
    applyAdjustment();
  } else if (id == kReset && clicked) {
    resetAdjustment();
  } else if (id == kRemove && clicked) {
    model_.fov.edited.shown = 0;
    overlayListener_.fovAdjusted(true);
  } else if (id == kTransparency && clicked) {
    setTransparency(isChecked(kTransparency));
  } else {
    FwDialogBaseScroll::onCommand(id, code, control);
  }
}

void DlgAdjustFov::onHScroll(int id, int position) {
  if (id == kPreviewScale) {
    preview_->setScale(position + kPreviewScaleBase);
  } else if (id == kOpacity) {
    if (isChecked(kTransparency)) window()->setWindowOpacity(position / kOpaque);
  } else if (id >= kShiftRa && id <= kGuiderRotation) {
    setNumber(id + kEditStep, position - offsetOf(id));
    if (id == kCameraRotation && locked_) followCameraRotation(position);
    applyAdjustment();
  }
}

// A value typed for a shift or a rotation moves its track bar; text that is
// no whole number within the bar's range (-60..60 or -180..180) is refused
// by name, and the field shows the bar's value again.
void DlgAdjustFov::adjustmentTyped(int editId) {
  const int bar = editId - kEditStep, limit = offsetOf(bar);
  const std::optional<double> typed = typedIn(editId, bar + kLabelOf, {double(-limit), double(limit)}, NumberForm::kWhole);
  if (!typed) {
    setNumber(editId, trackBar(bar) - limit);
    return;
  }
  const int value = static_cast<int>(*typed);
  setNumber(editId, value);
  setTrackBar(bar, value + limit);
  applyAdjustment();
  if (bar == kCameraRotation && locked_) followCameraRotation(value + kRotationOffset);
}

std::optional<double> DlgAdjustFov::typedIn(int editId, int captionId, ValueRange range, NumberForm form) {
  const Caption& c = captionOf(captionId);
  return typedNumber(editId, {range, text_id::kFovLabelFirst + c.text, c.english, form});
}

// With the lock on the guider turns with the camera.
void DlgAdjustFov::followCameraRotation(int position) {
  setNumber(kGuiderRotation + kEditStep, position - kRotationOffset);
  setTrackBar(kGuiderRotation, position);
}

void DlgAdjustFov::setLock(bool on) {
  locked_ = on;
  control(kGuiderRotation)->setEnabled(!on);
  control(kGuiderRotation + kEditStep)->setEnabled(!on);
  if (on) followCameraRotation(trackBar(kCameraRotation));
}

void DlgAdjustFov::resetAdjustment() {
  for (int id = kShiftRa; id <= kGuiderRotation; ++id) {
    setTrackBar(id, offsetOf(id));
    setNumber(id + kEditStep, 0);
  }
  applyAdjustment();
}

void DlgAdjustFov::setTransparency(bool on) {
  if (on) window()->setWindowOpacity(trackBar(kOpacity) / kOpaque);
  else transparencyOff();
}

void DlgAdjustFov::transparencyOff() {
  window()->setWindowOpacity(1.0);
  setTrackBar(kOpacity, kStartOpacity);
  setChecked(kTransparency, false);
}

void DlgAdjustFov::overlayPlaced() {
  if (window()) showAdjustment();
}

// --- the scheme and the overlay -------------------------------------------------------

void DlgAdjustFov::enableElementEdits() {
  for (const Element& e : kElements) {
    for (int id = e.firstEdit; id <= e.lastEdit; ++id) control(id)->setEnabled(isChecked(e.box));
  }
}

// The sizes and the focal length typed; a text that is no number within
// its range is refused by name, and the fields show the scheme again.
bool DlgAdjustFov::readScheme() {
  FovScheme f = model_.fov.schemes.scheme;
  f.flags = 0;
  for (const Element& e : kElements) {
    if (isChecked(e.box)) f.flags |= e.bit;
  }
  for (const LengthEdit& e : kLengthEdits) {
    const std::optional<double> length = typedIn(e.id, e.id + kLabelOf, kLengthRange, NumberForm::kDecimal);
    if (!length) return false;
    f.*e.length = static_cast<int>(std::lround(*length * 100));
  }
  const std::optional<double> focal = typedIn(kFocalLength, kFocalLength + kLabelOf, kFocalLengthRange, NumberForm::kWhole);
  if (!focal) return false;
  f.focalLength = static_cast<int>(*focal);
  model_.fov.schemes.scheme = f;
  return true;
}

void DlgAdjustFov::showSchemeNumbers() {
  const FovScheme& f = model_.fov.schemes.scheme;
  for (const LengthEdit& e : kLengthEdits) setItemText(e.id, showHundredths(f.*e.length));
  setNumber(kFocalLength, f.focalLength);
}

// The scheme as the controls show it goes to the preview, the overlay and,
// at exit, to its file. The focus passing through a field is no edit: a
// hand-written file stays as it is.
void DlgAdjustFov::schemeChanged() {
  const FovScheme before = model_.fov.schemes.scheme;
  if (!readScheme()) {
    showSchemeNumbers();
    return;
  }
  if (model_.fov.schemes.scheme == before) return;
  preview_->update();
  applyAdjustment();
  model_.fov.schemes.markModified();
}

void DlgAdjustFov::applyAdjustment() {
  FovOverlay& o = model_.fov.edited;
  schemeToOverlay(model_.fov.schemes.scheme, o);
  o.shiftRa = trackBar(kShiftRa) - kShiftOffset;
  o.shiftDec = trackBar(kShiftDec) - kShiftOffset;
  o.cameraRotation = trackBar(kCameraRotation) - kRotationOffset;
  o.guiderRotation = locked_ ? o.cameraRotation : trackBar(kGuiderRotation) - kRotationOffset;
  overlayListener_.fovAdjusted(true);
}

// The edited overlay's shifts and rotations on the track bars and in the edits.
void DlgAdjustFov::showAdjustment() {
  const FovOverlay& o = model_.fov.edited;
  const int values[] = {o.shiftRa, o.shiftDec, o.cameraRotation, o.guiderRotation};
  for (int id = kShiftRa; id <= kGuiderRotation; ++id) {
    const int value = values[id - kShiftRa];
    setTrackBar(id, value + offsetOf(id));
    setNumber(id + kEditStep, value);
  }
}

int DlgAdjustFov::trackBar(int id) const { return control<QSlider>(id)->value(); }

// Moving a track bar from here is no scroll of the user's.
void DlgAdjustFov::setTrackBar(int id, int position) {
  QSlider* bar = control<QSlider>(id);
  const QSignalBlocker quiet(bar);
  bar->setValue(position);
}

void DlgAdjustFov::setNumber(int id, int value) { setItemText(id, std::to_string(value)); }

}  // namespace celvaro
