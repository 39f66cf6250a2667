// The title strip of a printed map: what the chart shows, when and from
// where, how wide and how deep, in the chart's language.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "astro/chart_date.h"
#include "model/chart_settings.h"

namespace celvaro {

class AppModel;
class UiResources;

// What the title says. Positions are J2000, the frame of the charts.
struct MapTitle {
  std::string objectName;        // empty: the centre is given by its position alone
  double raRad = 0, decRad = 0;  // the object's, else the chart's centre
  ChartDate local, universal;
  std::string placeName;         // empty: the place is given by its latitude and longitude
  double latitudeDeg = 0, longitudeDeg = 0;
  int fieldArcmin = 0;
  uint32_t projectionId = 0;
  int starLimitHundredths = 0;
  int deepskyLevel = 0;          // 0..10
};

// The title of a chart of the settings at the model's time and place,
// centred on the chart's centre, with the limits of its field.
MapTitle chartTitleOf(const AppModel& model, ChartSettings chart);

// The title of the chart the model shows, with the limits of its field or
// of the field given. The selected object is named when it stands at the
// chart's centre, the place when it was chosen from the city list.
MapTitle mapTitleOf(AppModel& model, int fieldArcmin = 0);

// Its three lines in the language of the texts: the object or the centre
// and the epoch; the local and universal times and the place; the field,
// the projection and the limiting magnitudes.
std::vector<std::string> mapTitleLines(const MapTitle& title, UiResources& texts);

// "5°", "1°30'" or "45'".
std::string fieldText(int fieldArcmin);

// The faintest prominence a deep-sky level shows, "13.5"; empty for the
// level that shows every object.
std::string deepskyLimitText(int level);

}  // namespace celvaro
