// Moving about the chart as the chart window's keys, wheel, mouse and the
// toolbar ask: zoom, pan, drag, star-limit steps, the whole sky, the zenith
// and the horizon views, and picking the object under the pointer.
#pragma once

#include <cstdint>
#include <string>

#include "output/hit_list.h"

namespace celvaro {

class AppModel;

enum class PanDirection { kLeft, kRight, kUp, kDown };

// The selected object, as the hit list reported it.
struct Selection {
  int kind = kPickNothing;
  int index = 0;
  int subIndex = 0;
  bool operator==(const Selection&) const = default;
};

class SkyCatalogs;

// Appends what names a picked object (its designation, a star label, a
// body's name) to `text`, as the status bar shows it; language 1..4.
void appendObjectText(SkyCatalogs& catalogs, const PickResult& pick, int language, std::string& text);

class ChartNavigator {
 public:
  explicit ChartNavigator(AppModel& model) : model_(model) {}

  // Each returns whether the view changed; a change has run applyView and
  // set both pending flags, so the caller repaints and refreshes.
  bool zoom(bool in);
  bool pan(PanDirection direction, bool shift);
  bool stepStarLimit(int direction);  // +1 fainter, -1 brighter
  bool dragBy(int32_t dxPixels, int32_t dyPixels);
  void wholeSky();
  void zenith();
  // Horizon views: 0 north, 1 west, 2 south, 3 east.
  void horizonView(int which);
  // Sets the field (at least 3 degrees) and applies the view.
  void setField(int fieldArcmin);
  // Centres the chart on the sky drawn at a device point. In the
  // horizontal frame a point below the horizon centres the horizon at its
  // azimuth. False, and nothing changes, where no sky is drawn.
  bool centreAt(int32_t x, int32_t y);

  // Picks the object drawn at a device point among the kinds the pick
  // filter allows. Returns whether the selection changed; its description
  // is then in `description` (empty when nothing was found).
  bool selectAt(int32_t x, int32_t y, std::string& description);
  // The name of the object drawn at a device point, for the pointer's tooltip.
  std::string nameAt(int32_t x, int32_t y);
  // The selection as the status bar shows a pick ("Star: ..."); empty
  // without one.
  std::string describeSelection();

 private:
  void changed();
  void recentreFromHorizontal();
  std::string describe(const PickResult& pick);

  AppModel& model_;
};

}  // namespace celvaro
