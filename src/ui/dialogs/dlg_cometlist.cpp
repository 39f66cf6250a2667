#include "ui/dialogs/dlg_cometlist.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QTableWidget>

#include "app/app_model.h"
#include "astro/text_forms.h"
#include "model/text_ids.h"
#include "ui/dialogs/dlg_comets.h"
#include "ui/dialogs/dlg_date_time.h"

namespace celvaro {
namespace {

constexpr int kColumns = 6;  // name, perihelion, q, e, RA, Dec

QTableWidgetItem* cell(const std::string& text) {
  auto* item = new QTableWidgetItem(QString::fromStdString(text));
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  return item;
}

}  // namespace

void DlgCometlist::onInitDialog() {
  window()->setWindowTitle(text(text_id::kCometListTitle, "Comet list"));
  auto* list = new QTableWidget(0, kColumns, window());
  list->setObjectName(objectName(kTable));
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->verticalHeader()->hide();
  list->setHorizontalHeaderLabels({text(4009, "Name"), text(14560, "Perihelion (UT)"), text(14561, "q (AU)"),
                                   text(14562, "e"), text(14563, "RA"), text(14564, "Dec")});
  grid()->addWidget(label(kNotLoaded, text(14568, "The comet list is not loaded (data/mpc/CometEls.txt).")), 0, 0, 1, 4);
  grid()->addWidget(list, 1, 0, 1, 4);
  grid()->addWidget(button(kShowOnChart, text(14565, "Show on chart")), 2, 0);
  grid()->addWidget(button(kTrack, text(14566, "Track")), 2, 1);
  grid()->addWidget(button(kUserComet, text(14567, "User comet...")), 2, 2);
  grid()->addWidget(button(kIdCancel, text(text_id::kButtonClose, "Close")), 2, 3);
  window()->resize(720, 420);
}

QTableWidget* DlgCometlist::table() const { return control<QTableWidget>(kTable); }

void DlgCometlist::showOver(QWidget* parent) {
  create(parent);
  fillTable();
  window()->show();
  window()->raise();
  window()->activateWindow();
}

void DlgCometlist::fillTable() {
  const CometList* comets = model_.catalogs() ? &model_.catalogs()->solarSystem().comets() : nullptr;
  lines_.clear();
  for (int i = 0; comets && i < comets->count(); ++i) {
    if (comets->record(i).valid) lines_.push_back(i);
  }
  control(kNotLoaded)->setVisible(!comets || !comets->loaded());
  QTableWidget* list = table();
  list->setRowCount(static_cast<int>(lines_.size()));
  for (int row = 0; row < list->rowCount(); ++row) {
    const CometRecord& r = comets->record(lines_[row]);
    StarPosition at;
    const bool placed = comets->position(lines_[row], at);
    const std::string texts[kColumns] = {r.name, dateTimeText(r.perihelion), QString::number(r.orbit.q, 'f', 6).toStdString(),
                                         QString::number(r.orbit.e, 'f', 6).toStdString(),
                                         placed ? formatHours(at.raRad) : "", placed ? formatDegrees(at.decRad) : ""};
    for (int c = 0; c < kColumns; ++c) list->setItem(row, c, cell(texts[c]));
  }
  list->resizeColumnsToContents();
}

void DlgCometlist::onCommand(int id, int code, QWidget* control) {
  if (id == kShowOnChart || id == kTrack) selectComet(id == kTrack);
  else if (id == kUserComet) editUserComet();
  else FwDialogBase::onCommand(id, code, control);
}

void DlgCometlist::selectComet(bool track) {
  const int row = table()->currentRow();
  if (row < 0 || row >= static_cast<int>(lines_.size()) || !model_.catalogs()) return;
  ChartSettings& chart = model_.chart;
  chart.cometTrack.object = objectId(kCometList, lines_[row]);
  if (track) chart.cometTrack.shown = 1;
  model_.solarSystemChanged();
  StarPosition at;
  if (model_.catalogs()->solarSystem().comets().position(lines_[row], at)) {
    model_.centreOn(at.raRad, at.decRad, chart.fieldArcmin, chart.fieldArcmin, true);
  }
  redrawChart();
}

void DlgCometlist::editUserComet() {
  if (!model_.catalogs()) return;
  DlgComets dialog(resources(), model_.catalogs()->solarSystem().userComet(), model_.chart.chartDate);
  if (dialog.runModal(window()) != 1) return;
  model_.solarSystemChanged();
  redrawChart();
}

void DlgCometlist::redrawChart() {
  model_.redrawPending = model_.statusPending = true;
  if (iMainWindowCallback* main = model_.mainWindow()) main->refresh();
}

}  // namespace celvaro
