#include "ui/dialogs/dlg_search_named_obj.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QTableWidget>

#include <algorithm>

#include "catalog/deepsky_data.h"
#include "model/text_ids.h"

namespace celvaro {
namespace {

QString identifierText(int32_t code, int32_t number) { return QString::fromStdString(namedIdentifierText(code, number)); }

}  // namespace

DlgSearchNamedObj::DlgSearchNamedObj(UiResources& resources, iDeepskyData& deepsky, int language)
    : FwDialogBaseResizable(resources) {
  deepsky.selectNameList(language);
  for (int at = deepsky.nextName(); at >= 0; at = deepsky.nextName()) {
    const auto named = deepsky.getNamedObject(at);
    const auto name = deepsky.getName(at);
    if (!named || !name) continue;
    rows_.push_back({named->object,
                     {identifierText(named->firstCode, named->firstNumber),
                      identifierText(named->secondCode, named->secondNumber), QString::fromStdU16String(*name)}});
  }
}

void DlgSearchNamedObj::onInitDialog() {
  window()->setWindowTitle(text(text_id::kPopularObjectsTitle, "Popular objects"));
  auto* list = new QTableWidget(0, kColumns, window());
  list->setObjectName(objectName(kTable));
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->verticalHeader()->hide();
  list->horizontalHeader()->setStretchLastSection(true);
  list->setHorizontalHeaderLabels({text(text_id::kNamedObjectColumnFirst, "Identifier"),
                                   text(text_id::kNamedObjectColumnFirst + 1, "Second identifier"),
                                   text(4009, "Name")});
  QObject::connect(list, &QTableWidget::cellDoubleClicked, window(), [this] { onCommand(kIdOk, kClicked, nullptr); });
  grid()->addWidget(list, 0, 0);
  addOkCancel();
  fillTable();
  watchSize();
  window()->resize(520, 480);
}

QTableWidget* DlgSearchNamedObj::table() const { return control<QTableWidget>(kTable); }

void DlgSearchNamedObj::fillTable() {
  QTableWidget* list = table();
  list->setRowCount(static_cast<int>(rows_.size()));
  for (int row = 0; row < list->rowCount(); ++row) {
    for (int c = 0; c < kColumns; ++c) list->setItem(row, c, new QTableWidgetItem(rows_[row].cells[c]));
  }
  list->resizeColumnsToContents();
  for (int c = 0; c < 2; ++c) identifierWidths_[c] = list->columnWidth(c);
  if (!rows_.empty()) list->setCurrentCell(0, 0);
}

// On a narrow window the identifiers give way to the names.
void DlgSearchNamedObj::onSize(int width, int) {
  for (int c = 0; c < 2; ++c) table()->setColumnWidth(c, std::min(identifierWidths_[c], width / 4));
}

// OK without a current row leaves the dialog open.
void DlgSearchNamedObj::onCommand(int id, int code, QWidget* control) {
  if (id == kIdOk) {
    const int row = table()->currentRow();
    if (row < 0) return;
    chosen_ = rows_[row].object;
  }
  FwDialogBase::onCommand(id, code, control);
}

}  // namespace celvaro
