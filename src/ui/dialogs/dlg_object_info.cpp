#include "ui/dialogs/dlg_object_info.h"

#include <QHeaderView>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTreeWidget>

#include "app/app_model.h"
#include "app/model_object_info.h"
#include "model/text_ids.h"
#include "output/bitmap24.h"
#include "platform/data_paths.h"
#include "ui/image_view.h"

namespace celvaro {
namespace {

constexpr int kTimeHeadingFirst = 90, kClockLabelFirst = 95, kRaLabel = 98, kDecLabel = 99, kDescriptionLabel = 97;
constexpr int kRise = 5, kLocalTime = 8, kDescriptionText = 10;  // after kAidLabelFirst
constexpr const char* kTimeHeadings[3] = {"Rise", "Transit", "Set"};
constexpr int kListWidth = 380, kPhotoSide = 512;  // the photos are at most 512 pixels

}  // namespace

void DlgObjectInfo::onInitDialog() {
  grid()->addWidget(label(kRaLabel, ""), 0, 0);
  grid()->addWidget(label(kRa, ""), 0, 1);
  grid()->addWidget(label(kDecLabel, ""), 0, 2);
  grid()->addWidget(label(kDec, ""), 0, 3);
  for (int i = 0; i < 3; ++i) {
    grid()->addWidget(label(kTimeHeadingFirst + i, ""), 1, 1 + i);
    grid()->addWidget(label(kLocalFirst + i, ""), 2, 1 + i);
    grid()->addWidget(label(kUniversalFirst + i, ""), 3, 1 + i);
  }
  grid()->addWidget(label(kClockLabelFirst, ""), 2, 0);
  grid()->addWidget(label(kClockLabelFirst + 1, ""), 3, 0);
  grid()->addWidget(label(kDescriptionLabel, ""), 4, 0, 1, 4);
  auto* description = new QPlainTextEdit(window());
  description->setObjectName(objectName(kDescription));
  description->setReadOnly(true);
  description->setMaximumHeight(110);
  grid()->addWidget(description, 5, 0, 1, 4);
  auto* split = new QSplitter(window());
  auto* list = new QTreeWidget(split);
  list->setObjectName(objectName(kProperties));
  list->setRootIsDecorated(false);
  image_ = new ImageView(resources(), split);
  image_->setMinimumSize(256, 256);
  split->setSizes({kListWidth, kPhotoSide});
  grid()->addWidget(split, 6, 0, 1, 4);
  grid()->setRowStretch(6, 1);
  grid()->addWidget(button(kIdCancel, text(text_id::kButtonClose, "Close")), 7, 3);
  labelTexts();
  window()->resize(kListWidth + kPhotoSide + 40, kPhotoSide + 280);
}

QTreeWidget* DlgObjectInfo::properties() const { return control<QTreeWidget>(kProperties); }

void DlgObjectInfo::labelTexts() {
  window()->setWindowTitle(text(text_id::kObjectInfoTitle, "Object information"));
  control<QLabel>(kRaLabel)->setText(text(text_id::kRaCaption, "RA"));
  control<QLabel>(kDecLabel)->setText(text(text_id::kDecCaption, "Dec"));
  for (int i = 0; i < 3; ++i) {
    control<QLabel>(kTimeHeadingFirst + i)->setText(text(text_id::kAidLabelFirst + kRise + i, kTimeHeadings[i]));
  }
  control<QLabel>(kClockLabelFirst)->setText(text(text_id::kAidLabelFirst + kLocalTime, "Local time"));
  control<QLabel>(kClockLabelFirst + 1)->setText(text(text_id::kAidLabelFirst + kLocalTime + 1, "Universal Time"));
  control<QLabel>(kDescriptionLabel)->setText(text(text_id::kAidLabelFirst + kDescriptionText, "Description"));
  properties()->setHeaderLabels({text(text_id::kPropertyColumn, "Property"), text(text_id::kValueColumn, "Value")});
}

// The selected object's information, its photo when it has one that loads.
bool DlgObjectInfo::fill() {
  const std::optional<ObjectInformation> info = objectInformation(model_);
  if (!info) return false;
  setItemText(kRa, info->rightAscension);
  setItemText(kDec, info->declination);
  for (int i = 0; i < 3; ++i) {
    setItemText(kLocalFirst + i, info->localTimes[i]);
    setItemText(kUniversalFirst + i, info->universalTimes[i]);
  }
  control<QPlainTextEdit>(kDescription)->setPlainText(QString::fromStdString(info->description));
  QTreeWidget* list = properties();
  list->clear();
  std::vector<ObjectProperty> lines = horizontalLines(*info, resources());
  lines.insert(lines.end(), info->properties.begin(), info->properties.end());
  for (const ObjectProperty& p : lines) {
    new QTreeWidgetItem(list, {QString::fromStdString(p.caption), QString::fromStdString(p.value)});
  }
  list->resizeColumnToContents(0);
  Bitmap24 photo;
  const bool loaded =
      info->photoPath && photo.load(resolveDataPath(model_.programDir(), *info->photoPath)) == Bitmap24::kLoaded;
  image_->setPicture(loaded ? &photo : nullptr);
  return true;
}

bool DlgObjectInfo::showOver(QWidget* parent) {
  create(parent);
  if (!fill()) return false;
  window()->show();
  window()->raise();
  window()->activateWindow();
  return true;
}

void DlgObjectInfo::refresh() {
  if (window() && window()->isVisible()) fill();
}

void DlgObjectInfo::languageChanged() {
  if (!window()) return;
  labelTexts();
  refresh();
}

}  // namespace celvaro
