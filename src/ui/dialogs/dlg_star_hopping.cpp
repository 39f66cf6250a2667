#include "ui/dialogs/dlg_star_hopping.h"

#include <QLabel>
#include <QListWidget>

#include "app/app_model.h"
#include "app/model_object_info.h"
#include "catalog/deepsky_data.h"
#include "model/text_ids.h"

namespace celvaro {
void DlgStarHopping::onInitDialog() {
  window()->setWindowTitle(text(text_id::kStarHoppingTitle, "Star hopping"));
  auto* list = new QListWidget(window());
  list->setObjectName(objectName(kRoutes));
  const StarHopGuides& guides = model_.starHops;
  for (int r = 0; r < guides.routeCount(); ++r) {
    const int32_t object = guides.routeObject(r);
    const size_t steps = guides.routePoints(r).size();
    const std::string line = namedIdentifierText(object >> 24, object & 0xFFFFFF) + "  (" +
                             resources().textOr(text_id::kAidLabelFirst + 12, "Steps") + ": " +
                             std::to_string(steps > 0 ? steps - 1 : 0) + ")";
    list->addItem(QString::fromStdString(line));
  }
  QObject::connect(list, &QListWidget::itemDoubleClicked, window(), [this, list] { showRoute(list->currentRow()); });
  QLabel* steps = label(kRouteText, "");
  steps->setWordWrap(true);
  QObject::connect(list, &QListWidget::currentRowChanged, window(), [this, steps](int row) {
    steps->setText(QString::fromStdString(starHopRouteText(model_, row)));
  });
  grid()->addWidget(label(90, text(text_id::kAidLabelFirst + 11, "Route")), 0, 0, 1, 3);
  grid()->addWidget(list, 1, 0, 1, 3);
  grid()->addWidget(steps, 2, 0, 1, 3);
  grid()->addWidget(button(kShow, text(text_id::kAidLabelFirst + 13, "Show the route")), 3, 0);
  grid()->addWidget(button(kHide, text(text_id::kAidLabelFirst + 14, "Hide the route")), 3, 1);
  grid()->addWidget(button(kIdCancel, text(text_id::kButtonClose, "Close")), 3, 2);
  window()->resize(360, 480);
}

QListWidget* DlgStarHopping::routes() const { return control<QListWidget>(kRoutes); }

void DlgStarHopping::showOver(QWidget* parent) {
  create(parent);
  window()->show();
  window()->raise();
  window()->activateWindow();
}

void DlgStarHopping::showRoute(int index) {
  const std::vector<StarHopPoint> points = model_.starHops.routePoints(index);
  if (points.empty()) return;
  model_.starHops.routeLine(index, model_.route);
  model_.chart.showRoute = 1;
  const RouteView view = routeView(points);
  model_.centreOn(view.raRad, view.decRad, view.fieldArcmin, view.fieldArcmin, false);
  model_.applyView();
  redrawChart();
}

void DlgStarHopping::hideRoute() {
  model_.chart.showRoute = 0;
  model_.route.clear();
  redrawChart();
}

void DlgStarHopping::redrawChart() {
  model_.redrawPending = model_.statusPending = true;
  if (iMainWindowCallback* main = model_.mainWindow()) main->refresh();
}

void DlgStarHopping::onCommand(int id, int code, QWidget* control) {
  if (id == kShow) showRoute(routes()->currentRow());
  else if (id == kHide) hideRoute();
  else FwDialogBase::onCommand(id, code, control);
}

}  // namespace celvaro
