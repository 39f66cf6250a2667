#include "app/map_title.h"

#include <cstdio>
#include <numbers>

#include "app/app_model.h"
#include "app/chart_navigator.h"
#include "app/status_texts.h"
#include "app/ui_resources.h"
#include "astro/coordinates.h"
#include "astro/text_forms.h"
#include "catalog/deepsky_data.h"
#include "model/text_ids.h"
#include "render/magnitude_limits.h"

namespace celvaro {
namespace {

constexpr double kRadPerArcmin = std::numbers::pi / 10800;
// A selection this close to the chart's centre is what the chart is centred
// on: the centre is kept in whole arcminutes, and a horizontal chart's is
// turned back from whole arcminutes of altitude and azimuth.
constexpr double kCentredWithinArcmin = 3;
constexpr int kProjectionNames = 5;
constexpr const char* kProjectionFallbacks[kProjectionNames] = {"Orthographic", "Equal-area", "Equidistant",
                                                                "Stereographic", "Gnomonic"};

bool selectionAtCentre(const AppModel& model) {
  const CentringTarget& target = model.lastCentringTarget;
  if (!model.selectionValid || !target.valid) return false;
  const double ra = model.chart.centreRaArcmin * kRadPerArcmin, dec = model.chart.centreDecArcmin * kRadPerArcmin;
  return separationAndAngle(ra, dec, target.raRad, target.decRad, false).arcmin <= kCentredWithinArcmin;
}

std::string placeNameOf(const AppModel& model) { return model.cities.nameAt(model.place.cityIndex).value_or(""); }

std::string degreesText(double degrees) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f\u00b0", degrees);
  return text;
}

// "Caption: value".
std::string captioned(UiResources& texts, int id, const char* fallback, const std::string& value) {
  return texts.textOr(id, fallback) + ": " + value;
}

std::string positionLine(const MapTitle& t, UiResources& texts) {
  std::string line = t.objectName.empty() ? texts.textOr(text_id::kMapTitleCentre, "Centre") + ": "
                                          : captioned(texts, text_id::kMapTitleObject, "Object", t.objectName) + "   ";
  line += texts.textOr(text_id::kMapTitleRa, "RA") + " " + formatHours(t.raRad);
  line += "   " + texts.textOr(text_id::kMapTitleDec, "Dec") + " " + formatDegrees(t.decRad);
  return line + "   " + texts.textOr(text_id::kMapTitleEpoch, "Epoch") + " J2000.0";
}

std::string timePlaceLine(const MapTitle& t, UiResources& texts) {
  std::string line = texts.textOr(text_id::kLocalTimeCaption, "Local time:") + " " + dateTimeText(t.local, ' ');
  line += "   " + texts.textOr(text_id::kUniversalTimeCaption, "UT:") + " " + dateTimeText(t.universal, ' ');
  std::string place = t.placeName;
  if (place.empty()) {
    place = texts.textOr(text_id::kLatitudeName, "Latitude") + " " + degreesText(t.latitudeDeg) + ", " +
            texts.textOr(text_id::kLongitudeName, "Longitude") + " " + degreesText(t.longitudeDeg);
  }
  return line + "   " + captioned(texts, text_id::kObservingPlaceTitle, "Observing place", place);
}

std::string fieldLine(const MapTitle& t, UiResources& texts) {
  std::string line = captioned(texts, text_id::kFieldDialogTitle, "Field of view", fieldText(t.fieldArcmin));
  if (t.projectionId < kProjectionNames) {
    const int id = text_id::kProjectionCaption + 1 + static_cast<int>(t.projectionId);
    line += "   " + captioned(texts, text_id::kProjectionCaption, "Projection",
                              texts.textOr(id, kProjectionFallbacks[t.projectionId]));
  }
  std::string deepsky = deepskyLimitText(t.deepskyLevel);
  if (deepsky.empty()) deepsky = texts.textOr(text_id::kMapTitleAllDeepsky, "all");
  const std::string limits = texts.textOr(text_id::kMapTitleStars, "stars") + " " +
                             showHundredths(t.starLimitHundredths) + ", " +
                             texts.textOr(text_id::kMapTitleDeepsky, "deep-sky objects") + " " + deepsky;
  return line + "   " + captioned(texts, text_id::kMapTitleLimits, "Limiting magnitude", limits);
}

}  // namespace

MapTitle chartTitleOf(const AppModel& model, ChartSettings chart) {
  computeMagnitudeLimits(chart);
  MapTitle title;
  title.raRad = chart.centreRaArcmin * kRadPerArcmin;
  title.decRad = chart.centreDecArcmin * kRadPerArcmin;
  title.local = model.local;
  title.universal = model.universal;
  title.placeName = placeNameOf(model);
  title.latitudeDeg = model.place.latitudeDeg;
  title.longitudeDeg = model.place.longitudeDeg;
  title.fieldArcmin = chart.fieldArcmin;
  title.projectionId = chart.projectionId;
  title.starLimitHundredths = chart.starLimitHundredths;
  title.deepskyLevel = chart.deepskyLevel;
  return title;
}

MapTitle mapTitleOf(AppModel& model, int fieldArcmin) {
  ChartSettings chart = model.chart;
  if (fieldArcmin > 0) chart.fieldArcmin = fieldArcmin;
  MapTitle title = chartTitleOf(model, chart);
  if (SkyCatalogs* catalogs = model.catalogs(); catalogs && selectionAtCentre(model)) {
    const Selection& s = model.selection;
    appendObjectText(*catalogs, PickResult{true, s.kind, s.index, s.subIndex}, model.resources().languageId(),
                     title.objectName);
    if (!title.objectName.empty()) {
      title.raRad = model.lastCentringTarget.raRad;
      title.decRad = model.lastCentringTarget.decRad;
    }
  }
  return title;
}

std::vector<std::string> mapTitleLines(const MapTitle& title, UiResources& texts) {
  return {positionLine(title, texts), timePlaceLine(title, texts), fieldLine(title, texts)};
}

std::string fieldText(int fieldArcmin) {
  const int degrees = fieldArcmin / 60, minutes = fieldArcmin % 60;
  if (degrees == 0) return std::to_string(minutes) + "'";
  std::string text = std::to_string(degrees) + "\u00b0";
  if (minutes == 0) return text;
  return text + (minutes < 10 ? "0" : "") + std::to_string(minutes) + "'";
}

std::string deepskyLimitText(int level) {
  if (level < 0 || level >= static_cast<int>(kDeepskyLevelEdges.size())) return "";
  char text[16];
  std::snprintf(text, sizeof text, "%.1f", kDeepskyLevelEdges[level]);
  return text;
}

}  // namespace celvaro
