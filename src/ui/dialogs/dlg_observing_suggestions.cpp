#include "ui/dialogs/dlg_observing_suggestions.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTreeWidget>

#include <cstdio>

#include "aids/object_info.h"
#include "aids/observing_suggestions.h"
#include "app/app_model.h"
#include "astro/zone_time.h"
#include "model/text_ids.h"
#include "platform/utf_text.h"
#include "solarsystem/ephemeris.h"
#include "ui/dialogs/range_check.h"

namespace celvaro {
namespace {

constexpr int kTypeWidth = 120, kDifficultyWidth = 70, kNameWidth = 250;
constexpr int kEntryRole = Qt::UserRole;

std::string dateText(const ChartDate& d) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d.%02d.%02d", d.year, d.month, d.day);
  return text;
}

std::string timeText(const ChartDate& d) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d", d.hour, d.minute);
  return text;
}

}  // namespace

void DlgObservingSuggestions::onInitDialog() {
  window()->setWindowTitle(text(text_id::kSuggestionsTitle, "Observing suggestions"));
  labelledEdit(kDate, text(text_id::kAidLabelFirst + 2, "Date (yyyy.mm.dd)"), "", 0);
  labelledEdit(kTime, text(text_id::kAidLabelFirst + 3, "Local time (hh:mm)"), "", 1);
  grid()->addWidget(label(kDifficulty + 400, text(text_id::kAidLabelFirst + 4, "Most difficult")), 2, 0);
  QComboBox* difficulty = comboBox(kDifficulty);
  for (int d = 0; d <= 3; ++d) difficulty->addItem(QString::fromStdString(difficultyStars(d)));
  difficulty->setCurrentIndex(3);
  grid()->addWidget(difficulty, 2, 1);
  auto* list = new QTreeWidget(window());
  list->setObjectName(objectName(kRows));
  list->setRootIsDecorated(false);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setHeaderLabels({text(4006, "Type"), text(4007, "Difficulty"), text(4009, "Name")});
  list->setColumnWidth(0, kTypeWidth);
  list->setColumnWidth(1, kDifficultyWidth);
  list->setColumnWidth(2, kNameWidth);
  QObject::connect(list, &QTreeWidget::itemDoubleClicked, window(), [this] { showOnChart(); });
  grid()->addWidget(list, 3, 0, 1, 3);
  grid()->addWidget(label(kNight, ""), 5, 0, 1, 3);
  grid()->addWidget(button(kList, text(text_id::kAidLabelFirst + 1, "Show")), 0, 2);
  grid()->addWidget(button(kShowOnChart, text(14565, "Show on chart")), 4, 0);
  grid()->addWidget(button(kIdCancel, text(text_id::kButtonClose, "Close")), 4, 2);
  window()->resize(kTypeWidth + kDifficultyWidth + kNameWidth + 60, 480);
}

QTreeWidget* DlgObservingSuggestions::rows() const { return control<QTreeWidget>(kRows); }

void DlgObservingSuggestions::showOver(QWidget* parent) {
  create(parent);
  setItemText(kDate, dateText(model_.local));
  setItemText(kTime, timeText(model_.local));
  rebuildList();
  window()->show();
  window()->raise();
  window()->activateWindow();
}

// The date and time are the observing place's local ones; a date or time
// that does not exist is refused by name and the list stays as it was.
void DlgObservingSuggestions::rebuildList() {
  std::vector<std::string> fields = dateFields(control<QLineEdit>(kDate)->text().toStdString(), kDateSeparators, 3);
  for (std::string& field : dateFields(control<QLineEdit>(kTime)->text().toStdString(), ":", 2)) fields.push_back(field);
  const std::optional<ChartDate> date = acceptDate(window(), resources(), fields);
  if (!date) return;
  const ChartDate local = *date;
  const int maxDifficulty = control<QComboBox>(kDifficulty)->currentIndex();
  StarHopGuides& guides = model_.starHops;
  if (SkyCatalogs* catalogs = model_.catalogs()) {
    selectSuggestions(guides, catalogLocator(*catalogs), model_.place, localToUniversal(local, model_.place), maxDifficulty);
  }
  QTreeWidget* list = rows();
  list->clear();
  for (int index : guides.selection()) {
    const SkyGuideEntry entry = guides.entry(index);
    const std::string type = resources().textOr(suggestionTypeTextId(entry.type), "???");
    auto* row = new QTreeWidgetItem(list, {QString::fromStdString(type), QString::fromStdString(difficultyStars(entry.difficulty)),
                                           QString::fromStdU16String(entry.name)});
    row->setData(0, kEntryRole, index);
  }
  std::string night;
  for (const ObjectProperty& line : twilightLines(julianDayOf(localToUniversal(local, model_.place)), model_.place, resources())) {
    night += (night.empty() ? "" : "\n") + line.caption + ": " + line.value;
  }
  setItemText(kNight, night);
}

// Centres the chart on the row's object and selects it.
void DlgObservingSuggestions::showOnChart() {
  QTreeWidgetItem* row = rows()->currentItem();
  SkyCatalogs* catalogs = model_.catalogs();
  if (!row || !catalogs) return;
  const SkyGuideEntry entry = model_.starHops.entry(row->data(0, kEntryRole).toInt());
  const std::optional<StarPosition> at = catalogLocator(*catalogs)(entry);
  const SearchKind kind = entry.type == kSuggestDouble ? SearchKind::kDoubleStar : SearchKind::kDeepsky;
  if (model_.centreOnFound(at, kind) != kSearchCentred) return;
  if (iMainWindowCallback* main = model_.mainWindow()) main->refresh();
}

void DlgObservingSuggestions::onCommand(int id, int code, QWidget* control) {
  if (id == kList || (id == kDifficulty && code == kSelectionChanged)) rebuildList();
  else if (id == kShowOnChart) showOnChart();
  else FwDialogBase::onCommand(id, code, control);
}

}  // namespace celvaro
