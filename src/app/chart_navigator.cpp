#include "app/chart_navigator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>

#include "app/app_model.h"
#include "app/navigation.h"
#include "astro/constellation_list.h"
#include "astro/coordinates.h"
#include "astro/sidereal_time.h"
#include "model/text_ids.h"
#include "output/rendering_output_display.h"
#include "platform/utf_text.h"

namespace celvaro {
namespace {

constexpr double kRadPerArcmin = std::numbers::pi / 10800;
constexpr int kFullCircle = 21600;
constexpr int kPole = 5400;
constexpr int kWholeSkyField = 10800;
constexpr int kZenithField = 3600;
constexpr int kHorizonField = 7200;
constexpr int kHorizonAltitude = 1800;
constexpr int kDragDeclinationClamp = 5100;

int wrapCircle(int arcmin) { return ((arcmin % kFullCircle) + kFullCircle) % kFullCircle; }

// The inverse of a projection by Newton's method on its forward law: the
// slopes are measured over a few pixels, as the projection gives whole
// pixels. A handful of steps reach the pixel; far more are allowed.
constexpr int kInverseSteps = 40;
constexpr int kSlopePixels = 8;
constexpr double kLargestStep = 0.3;  // radians

struct SkyPoint {
  double ra, dec;
};

// The point moved by small angles toward the east and the north.
SkyPoint offsetBy(const SkyPoint& p, double east, double north) {
  const double cr = std::cos(p.ra), sr = std::sin(p.ra), cd = std::cos(p.dec), sd = std::sin(p.dec);
  const double x = cd * cr - east * sr - north * sd * cr;
  const double y = cd * sr + east * cr - north * sd * sr;
  const double z = sd + north * cd;
  return {std::atan2(y, x), std::atan2(z, std::hypot(x, y))};
}

// The sky position the projection puts at plane pixel (x, y), searched
// from `start`; none where the projection draws no sky there.
std::optional<SkyPoint> skyAt(iTransformer& t, int32_t x, int32_t y, SkyPoint start) {
  const double radPerPixel = t.pixelsToArcsec(1000) / 1000.0 / 3600 * std::numbers::pi / 180;
  const double h = kSlopePixels * radPerPixel;
  if (!(h > 0)) return std::nullopt;
  SkyPoint p = start;
  for (int step = 0; step < kInverseSteps; ++step) {
    ProjectedPoint at, east, north;
    if (!t.project(p.ra, p.dec, at)) return std::nullopt;
    const double dx = x - at.x, dy = y - at.y;
    if (dx == 0 && dy == 0) return p;
    const SkyPoint pe = offsetBy(p, h, 0), pn = offsetBy(p, 0, h);
    if (!t.project(pe.ra, pe.dec, east) || !t.project(pn.ra, pn.dec, north)) return std::nullopt;
    const double a = (east.x - at.x) / h, b = (north.x - at.x) / h, c = (east.y - at.y) / h, d = (north.y - at.y) / h;
    const double det = a * d - b * c;
    if (det == 0) return std::nullopt;
    const double toEast = std::clamp((d * dx - b * dy) / det, -kLargestStep, kLargestStep);
    const double toNorth = std::clamp((a * dy - c * dx) / det, -kLargestStep, kLargestStep);
    p = offsetBy(p, toEast, toNorth);
  }
  return std::nullopt;
}

// Where picked objects are on the sky, from the catalogs that drew them.
class ModelPickPositions : public PickPositions {
 public:
  ModelPickPositions(SkyCatalogs* catalogs, const CentringTarget& overlayPointing)
      : catalogs_(catalogs), overlayPointing_(overlayPointing) {}

  bool starPosition(int index, double& ra, double& dec, StarNumbers& numbers) override {
    iStarData* stars = catalogs_ ? catalogs_->currentStarCatalog() : nullptr;
    StarPosition position;
    if (!stars || !stars->getPosition(index, position)) return false;
    ra = position.raRad, dec = position.decRad;
    int32_t n4 = 0;
    stars->getCatalogNumbers(index, numbers.identifierKind, numbers.p, numbers.q, numbers.r, n4);
    return true;
  }
  bool namedStarPosition(int index, double& ra, double& dec) override {
    if (!catalogs_ || index < 0 || static_cast<size_t>(index) >= catalogs_->starLabels().size()) return false;
    ra = catalogs_->starLabels().record(index).raRad;
    dec = catalogs_->starLabels().record(index).decRad;
    return true;
  }
  bool solarSystemPosition(int index, int subIndex, double& ra, double& dec) override {
    StarPosition position;
    return catalogs_ && catalogs_->solarSystem().objectPosition(index, subIndex, position) && take(position, ra, dec);
  }
  bool variableStarPosition(int index, double& ra, double& dec) override {
    StarPosition position;
    iStarVarData* variables = catalogs_ ? catalogs_->variableStars() : nullptr;
    return variables && variables->getPosition(index, position) && take(position, ra, dec);
  }
  bool doubleStarPosition(int index, double& ra, double& dec) override {
    StarPosition position;
    iStarDblData* doubles = catalogs_ ? catalogs_->doubleStars() : nullptr;
    return doubles && doubles->getPosition(index, position) && take(position, ra, dec);
  }
  void deepskyPosition(int index, double& ra, double& dec) override {
    DeepskyObject object;
    if (!catalogs_ || !catalogs_->deepsky() || !catalogs_->deepsky()->getObject(index, object)) return;
    ra = object.raRad, dec = object.decRad;
  }
  // The field-of-view overlay stands for where it points once shifted.
  void overlayPosition(double& ra, double& dec) override {
    ra = overlayPointing_.raRad, dec = overlayPointing_.decRad;
  }

 private:
  static bool take(const StarPosition& position, double& ra, double& dec) {
    ra = position.raRad, dec = position.decRad;
    return true;
  }

  SkyCatalogs* catalogs_;
  const CentringTarget& overlayPointing_;
};

std::string arcminText(int hundredths) {
  char text[24];
  std::snprintf(text, sizeof text, "%.1f′", hundredths / 100.0);
  return text;
}

// "CCD 63.0′×45.8′, FOV Ø143.2′, Guider 22.9′×22.9′": the frames the overlay shows.
std::string overlayText(const FovOverlay& overlay, iLanguageTexts& texts) {
  std::string text;
  auto add = [&](int element, int textId, const char* english, const std::string& size) {
    if (!(overlay.elementFlags & element)) return;
    text += (text.empty() ? "" : ", ") + texts.textOr(textId, english) + " " + size;
  };
  add(FovScheme::kCamera, 14960, "CCD", arcminText(overlay.cameraWidth) + "×" + arcminText(overlay.cameraHeight));
  add(FovScheme::kTotalField, 14961, "FOV", "Ø" + arcminText(2 * overlay.totalFieldRadius));
  add(FovScheme::kGuider, 14962, "Guider", arcminText(overlay.guiderWidth) + "×" + arcminText(overlay.guiderHeight));
  return text;
}

}  // namespace

void appendObjectText(SkyCatalogs& catalogs, const PickResult& pick, int language, std::string& text) {
  switch (pick.kind) {
    case kPickStar:
      if (iStarData* stars = catalogs.currentStarCatalog()) stars->getDesignation(pick.index, text);
      break;
    case kPickNamedStar: {
      const StarLabelRecord& r = catalogs.starLabels().record(pick.index);
      const StarLabelParts parts{r.greekLetter, r.superscript, r.flamsteed, r.constellation,
                                 catalogs.starLabels().name(pick.index)};
      text += utf16ToUtf8(RenderingOutputDisplay::starLabelText(parts));
      break;
    }
    case kPickVariableStar:
      if (iStarVarData* variables = catalogs.variableStars()) variables->getDesignation(pick.index, text);
      break;
    case kPickDoubleStar:
      if (iStarDblData* doubles = catalogs.doubleStars()) doubles->getDesignation(pick.index, text);
      break;
    case kPickSolarSystem: {
      std::string name;
      if (catalogs.solarSystem().objectName(pick.index, name)) text += name.substr(1);
      break;
    }
    case kPickDeepsky: {
      std::u16string designation;
      // Every identifier written out; the information's properties give the magnitude.
      if (catalogs.deepsky()) catalogs.deepsky()->formatDesignation(pick.index, designation, language, true, false);
      text += utf16ToUtf8(designation);
      break;
    }
    case kPickConstellation: text += catalogs.constellationNames().name(pick.index, language); break;
    default: break;
  }
}

void ChartNavigator::changed() {
  model_.applyView();
  model_.redrawPending = true;
  model_.statusPending = true;
}

void ChartNavigator::setField(int fieldArcmin) {
  model_.chart.fieldArcmin = std::clamp(fieldArcmin, kMinFieldArcmin, kMaxFieldArcmin);
  changed();
}

bool ChartNavigator::zoom(bool in) {
  const int steps = model_.navigation.zoomSteps;
  const int field = model_.chart.fieldArcmin;
  const int next = in ? zoomedIn(field, steps) : zoomedOut(field, steps);
  if (next == field) return false;
  model_.chart.fieldArcmin = next;
  changed();
  return true;
}

bool ChartNavigator::pan(PanDirection direction, bool shift) {
  ChartSettings& c = model_.chart;
  const int p = shift ? model_.navigation.panStepsShift : model_.navigation.panStepsSimple;
  const int sideways = widePanStep(c.fieldArcmin, c.centreDecArcmin) * p / 2;
  const int vertical = basePanStep(c.fieldArcmin) * p / 2;
  const bool horizontal = c.horizontalMode != 0;
  switch (direction) {
    case PanDirection::kLeft:
      if (horizontal) c.centreAzArcmin = wrapCircle(c.centreAzArcmin - sideways);
      else c.centreRaArcmin = wrapCircle(c.centreRaArcmin + sideways);
      break;
    case PanDirection::kRight:
      if (horizontal) c.centreAzArcmin = wrapCircle(c.centreAzArcmin + sideways);
      else c.centreRaArcmin = wrapCircle(c.centreRaArcmin - sideways);
      break;
    case PanDirection::kUp:
      if (horizontal) c.centreAltArcmin = std::min(c.centreAltArcmin + vertical, kPole);
      else c.centreDecArcmin = std::min(c.centreDecArcmin + vertical, kPole);
      break;
    case PanDirection::kDown:
      if (horizontal) c.centreAltArcmin = std::max(c.centreAltArcmin - vertical, 0);
      else c.centreDecArcmin = std::max(c.centreDecArcmin - vertical, -kPole);
      break;
  }
  if (horizontal) model_.centreFromHorizontal();
  changed();
  return true;
}

bool ChartNavigator::stepStarLimit(int direction) {
  ChartSettings& c = model_.chart;
  if (!celvaro::stepStarLimit(c.starLimitManual, c.starLimitAutoOffset, c.starLimitManualValue, direction)) {
    return false;
  }
  changed();
  return true;
}

// The sky follows the pointer: the centre moves to where the pointer's
// start would be after the drag, east counted by the mirror mode.
bool ChartNavigator::dragBy(int32_t dxPixels, int32_t dyPixels) {
  ChartSettings& c = model_.chart;
  iTransformer& t = model_.projection();
  const uint32_t mirror = std::min<uint32_t>(c.mirrorMode, kMirrorHorizontal);
  const int mirrorX = (mirror == kMirrorNone || mirror == kMirrorVertical) ? -1 : 1;
  const int mirrorY = (mirror == kMirrorCentral || mirror == kMirrorVertical) ? -1 : 1;
  const double cosDec = std::cos(std::clamp(c.centreDecArcmin, -kDragDeclinationClamp, kDragDeclinationClamp) * kRadPerArcmin);
  const int east = static_cast<int>(t.pixelsToArcsec(-dxPixels * mirrorX) / 60 / cosDec);
  const int north = t.pixelsToArcsec(dyPixels * mirrorY) / 60;
  if (c.horizontalMode) {
    c.centreAzArcmin = wrapCircle(c.centreAzArcmin - east);
    c.centreAltArcmin = std::clamp(c.centreAltArcmin + north, 0, kPole);
    model_.centreFromHorizontal();
  } else {
    c.centreRaArcmin = wrapCircle(c.centreRaArcmin + east);
    c.centreDecArcmin = std::clamp(c.centreDecArcmin + north, -kPole, kPole);
  }
  changed();
  return true;
}

bool ChartNavigator::centreAt(int32_t x, int32_t y) {
  const ChartSettings& c = model_.chart;
  const SkyPoint centre{c.centreRaArcmin * kRadPerArcmin, c.centreDecArcmin * kRadPerArcmin};
  const OutputArea& area = model_.outputArea;
  const auto sky = skyAt(model_.projection(), x - area.width / 2, area.height / 2 - y, centre);
  if (!sky) return false;
  const double ra = std::fmod(sky->ra + 2 * std::numbers::pi, 2 * std::numbers::pi);
  if (model_.centreOn(ra, sky->dec, 0, 0, false) == 0) {
    const HorizontalPosition below = model_.chartSky().horizontalOf(ra, sky->dec);
    model_.centreOnHorizontal(0, static_cast<int>(below.azimuthDeg * 60));
  }
  changed();
  return true;
}

void ChartNavigator::wholeSky() {
  model_.chart.horizontalMode = 0;
  model_.selection = {};
  const ZenithPosition zenith = zenithPosition(model_.universal, model_.place.longitudeDeg, model_.place.latitudeDeg);
  const double ra = std::fmod(std::fmod(zenith.raDeg, 360.0) + 360.0, 360.0) * std::numbers::pi / 180;
  model_.centreOn(ra, zenith.decDeg * std::numbers::pi / 180, kWholeSkyField, kWholeSkyField, false);
  changed();
}

void ChartNavigator::zenith() {
  wholeSky();
  setField(kZenithField);
}

void ChartNavigator::horizonView(int which) {
  static constexpr int kAzimuths[4] = {10800, 5400, 0, -5400};  // north, west, south, east
  model_.selection = {};
  model_.chart.projectionId = kProjectionEqualArea;
  model_.chart.fieldArcmin = kHorizonField;
  model_.centreOnHorizontal(kHorizonAltitude, kAzimuths[std::clamp(which, 0, 3)]);
  changed();
}

std::string ChartNavigator::describe(const PickResult& pick) {
  static constexpr const char* kHeadings[] = {"Object",       "Star",         "Named star",      "Variable star",
                                              "Double star",  "Solar system", "Deep-sky object", "Field-of-view overlay"};
  std::string text = model_.resources().textOr(text_id::kSelectionHeadingFirst + pick.kind, kHeadings[pick.kind & 7]) + ": ";
  if (pick.kind == kPickFovOverlay) return text + overlayText(model_.fov.shown, model_.resources());
  if (SkyCatalogs* catalogs = model_.catalogs()) appendObjectText(*catalogs, pick, model_.resources().languageId(), text);
  return text;
}

bool ChartNavigator::selectAt(int32_t x, int32_t y, std::string& description) {
  ModelPickPositions positions(model_.catalogs(), model_.fov.correctedPointing);
  const PickResult pick = model_.hits.pickObject(x, y, model_.pickFilter, positions);
  if (!pick.found) {
    const bool had = model_.selectionValid;
    model_.selectionValid = false;
    model_.selection = {};
    description.clear();
    return had;
  }
  const Selection next{pick.kind, pick.index, pick.subIndex};
  const bool differs = !model_.selectionValid || !(next == model_.selection);
  model_.selection = next;
  model_.selectionValid = true;
  model_.setTarget(pick.raRad, pick.decRad);
  if (differs) description = describe(pick);
  return differs;
}

std::string ChartNavigator::describeSelection() {
  const Selection& s = model_.selection;
  return model_.selectionValid ? describe(PickResult{true, s.kind, s.index, s.subIndex}) : std::string();
}

std::string ChartNavigator::nameAt(int32_t x, int32_t y) {
  ModelPickPositions positions(model_.catalogs(), model_.fov.correctedPointing);
  const PickResult pick = model_.hits.pickObject(x, y, model_.pickFilter, positions);
  if (!pick.found) return {};
  std::string name = describe(pick);
  return name.substr(name.find(": ") + 2, 200);
}

}  // namespace celvaro
