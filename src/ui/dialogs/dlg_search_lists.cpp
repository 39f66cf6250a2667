#include "ui/dialogs/dlg_search_lists.h"

#include "astro/constellation_list.h"
#include "model/text_ids.h"
#include "solarsystem/solar_system.h"

namespace celvaro {
namespace {

std::vector<int> validComets(const CometList& comets) {
  std::vector<int> lines;
  for (int i = 0; i < comets.count(); ++i) {
    if (comets.record(i).valid) lines.push_back(i);
  }
  return lines;
}

}  // namespace

QStringList constellationNames() {
  QStringList names;
  for (int n = 0; n < kConstellationCount; ++n) names << QString::fromStdString(shownConstellationName(n));
  return names;
}

DlgSearchConst::DlgSearchConst(UiResources& resources)
    : PickListDialog(resources, text_id::kSearchConstellationTitle, "Find a constellation") {
  setNames(constellationNames());
}

DlgSearchSolarsys::DlgSearchSolarsys(UiResources& resources, const SolarSystem& solar)
    : PickListDialog(resources, text_id::kSearchSolarSystemTitle, "Find a solar-system object") {
  QStringList names;
  for (int body = 0; body < kBodyCount; ++body) names << QString::fromStdString(solar.bodyName(body));
  setNames(names);
}

DlgSearchComet::DlgSearchComet(UiResources& resources, const SolarSystem& solar)
    : PickListDialog(resources, text_id::kSearchCometTitle, "Find a comet"), lines_(validComets(solar.comets())) {
  QStringList names;
  names << text(text_id::kUserCometRow, "The user's comet") + ": " + QString::fromStdString(solar.userComet().name);
  for (int line : lines_) names << QString::fromStdString(solar.comets().record(line).name);
  setNames(names);
}

int32_t DlgSearchComet::chosenComet() const {
  const int row = chosen();
  if (row < 0) return -1;
  return row == 0 ? objectId(kUserComet, 0) : objectId(kCometList, lines_[row - 1]);
}

}  // namespace celvaro
