#include "ui/dialogs/dlg_telescope_adjust.h"

#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>

#include <algorithm>

#include "app/app_model.h"
#include "model/text_ids.h"
#include "ui/dialogs/control_texts.h"

namespace celvaro {
namespace {

using D = DlgTelescopeAdjust;
constexpr int kSecond = D::kPointStep;  // the second point's buttons

constexpr ControlText kTexts[] = {
    {kWindowTitle, text_id::kTelescopeAdjustTitle, "Adjusting telescope with reference points"},
    {D::kFirstBox, text_id::kReferencePointFirst, "1. ref. point"},
    {D::kFirstBox + 1, text_id::kReferencePointFirst + 1, "2. ref. point"},
    {D::kShow, 14725, "Show on the map"},
    {D::kShow + kSecond, 14725, "Show on the map"},
    {D::kDelete, 14726, "Delete"},
    {D::kDelete + kSecond, 14726, "Delete"},
    {D::kSet, text_id::kSetFromSelection, "Set from the selection"},
    {D::kSet + kSecond, text_id::kSetFromSelection, "Set from the selection"},
    {D::kDeleteAll, 14727, "Delete all ref. points"},
    {kIdCancel, text_id::kButtonClose, "Close"},
};

}  // namespace

void DlgTelescopeAdjust::onInitDialog() {
  for (int i = 0; i < kPoints; ++i) {
    const int first = kShow + i * kPointStep;
    auto* box = new QGroupBox(window());
    box->setObjectName(objectName(kFirstBox + i));
    auto* buttons = new QGridLayout(box);
    buttons->addWidget(button(first, {}), 0, 0);
    buttons->addWidget(button(first + 1, {}), 0, 1);
    buttons->addWidget(button(first + 2, {}), 1, 0, 1, 2);
    grid()->addWidget(box, i, 0, 1, 2);
  }
  grid()->addWidget(button(kDeleteAll, {}), kPoints, 0);
  grid()->addWidget(button(kIdCancel, {}), kPoints, 1);
  languageChanged();
  QObject::connect(window(), &QDialog::finished, window(), [this] { detach(); });
}

void DlgTelescopeAdjust::languageChanged() { showControlTexts(*this, resources(), kTexts); }

void DlgTelescopeAdjust::showOver(QWidget* parent) {
  create(parent);
  model_.handOver.dialogListeners.referencePoints = this;
  ReferencePoint points[ReferencePoints::kCount];
  std::copy(model_.referencePoints.points.begin(), model_.referencePoints.points.end(), points);
  referencePointsChanged(points, 0);
  model_.referencePoints.marksShown = true;
  model_.redrawPending = true;
  refresh();
  window()->show();
  window()->raise();
  window()->activateWindow();
}

void DlgTelescopeAdjust::detach() {
  if (model_.handOver.dialogListeners.referencePoints != this) return;
  model_.handOver.dialogListeners.referencePoints = nullptr;
  model_.referencePoints.marksShown = false;
  model_.redrawPending = true;
  refresh();
}

void DlgTelescopeAdjust::onCommand(int id, int code, QWidget* control) {
  if (id == kDeleteAll) {
    model_.referencePoints.clearReferencePoint(-1);
  } else if (id >= kShow && id < kShow + kPoints * kPointStep) {
    const int point = (id - kShow) / kPointStep;
    switch (id - point * kPointStep) {
      case kShow: model_.referencePoints.showReferencePoint(point); break;
      case kDelete: model_.referencePoints.clearReferencePoint(point); break;
      case kSet: setFromSelection(point); break;
      default: break;
    }
  } else {
    FwDialogBase::onCommand(id, code, control);
    return;
  }
  refresh();
}

// The description leaves open which star a reference point is taken on: it
// is the object last selected or centred on the chart, at which the user
// has pointed the telescope. The observing place goes with it to the link.
void DlgTelescopeAdjust::setFromSelection(int index) {
  const CentringTarget& target = model_.lastCentringTarget;
  if (target.valid) {
    model_.referencePoints.store(index, target.raRad, target.decRad);
  } else if (iMainWindowCallback* main = model_.mainWindow()) {
    main->setStatusText(resources().textOr(text_id::kNoObjectSelected, "Select an object on the chart first."));
  }
}

void DlgTelescopeAdjust::referencePointsChanged(const ReferencePoint (&points)[3], int index) {
  for (int i = 0; i < kPoints; ++i) {
    const bool on = index != -1 && points[i].set;
    control(kShow + i * kPointStep)->setEnabled(on);
    control(kDelete + i * kPointStep)->setEnabled(on);
  }
}

// The chart is redrawn when a change asked for it.
void DlgTelescopeAdjust::refresh() {
  if (iMainWindowCallback* main = model_.mainWindow()) main->refresh();
}

}  // namespace celvaro
