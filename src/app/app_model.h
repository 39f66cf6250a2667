// The application model: the one object that holds the state of the running
// program. Every window and dialog borrows it; all its operations run on the
// user-interface thread, except the hand-over's telescope side, which the
// telescope controller calls on its own thread.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "aids/city_list.h"
#include "aids/moon_calendar.h"
#include "aids/moon_image.h"
#include "aids/star_hop_guides.h"
#include "app/clock.h"
#include "app/configuration.h"
#include "app/fov_overlay_control.h"
#include "app/main_window_callback.h"
#include "app/object_search.h"
#include "app/reference_points.h"
#include "app/settings_records.h"
#include "app/chart_navigator.h"
#include "app/telescope_hand_over.h"
#include "app/ui_resources.h"
#include "astro/chart_date.h"
#include "astro/local_sky.h"
#include "astro/observing_place.h"
#include "catalog/sky_catalogs.h"
#include "catalog/star_info_file.h"
#include "model/chart_settings.h"
#include "output/hit_list.h"
#include "output/render_options.h"
#include "output/rendering_output_display.h"
#include "projection/transformer.h"
#include "render/chart_renderer.h"
#include "telescope/settings_records.h"
#include "telescope/telescope_control_interface.h"

namespace celvaro {

class TelescopeControl;

// The zone of the default observing place, for a computer whose clock names
// no region.
inline constexpr const char* kDefaultPlaceZone = "Europe/Budapest";

class AppModel {
 public:
  static constexpr int kDisplaySwitchCount = 6;
  static constexpr int kMinimumFieldBoundArcmin = 180;

  AppModel(std::string programDir, std::string configurationPath, UiResources& resources);
  ~AppModel();
  AppModel(const AppModel&) = delete;
  AppModel& operator=(const AppModel&) = delete;

  // Centres the chart on a sky position, keeping the field within the
  // bounds when maxFieldArcmin > 0. 0 when refused (below the horizon in
  // horizontal mode; nothing changes then), else 1.
  int centreOn(double raRad, double decRad, int minFieldArcmin, int maxFieldArcmin, bool remember);
  // Centres the chart on what a search found, in the field its kind is
  // shown in, and remembers it (a variable star, a double star or a
  // deep-sky object as the selection): kSearchNotFound without a find,
  // kSearchBelowHorizon when centreOn refuses it, else kSearchCentred with
  // a redraw pending.
  int centreOnFound(const std::optional<StarPosition>& found, SearchKind kind);
  // The equatorial centre recomputed from the horizontal one.
  void centreFromHorizontal();
  // The apparent sky of the chart's instant and place, with refraction when
  // the chart shows it: where J2000 places meet the horizon.
  LocalSky chartSky() const;
  // Horizontal mode, centred on an altitude and an azimuth (arcminutes,
  // azimuth from the south through the west).
  void centreOnHorizontal(int altArcmin, int azArcmin);
  // Recomputes everything that follows from the chart settings.
  void applyView();
  // Repaints the chart window at once.
  void redrawChart();
  // Draws the whole chart onto the chart window's canvas, with the overlays.
  void paintChart(Canvas& canvas);
  // The chart window's drawing area changed size.
  void setChartSize(int32_t width, int32_t height);
  // The projection the chart settings name (ids without a law: orthographic).
  iTransformer& projection();
  // After the observing place was edited: the local date follows the zone
  // from the universal one, which stays; the horizon and the solar system
  // follow the place.
  void placeChanged();
  // After the chart date was edited: the dates in the status bar, the Julian
  // date and sidereal time of the universal date, the horizon and the solar
  // system.
  void timeChanged();
  // After the solar-system settings were edited: the switched-on asteroid
  // lists are loaded, positions and tracks recomputed for the chart's instant.
  void solarSystemChanged();
  // The solar-system body names from the language texts.
  void applyBodyNames();

  // The chart date from a new universal or local date; the other follows.
  void setUniversalDate(const ChartDate& universal);
  void setLocalDate(const ChartDate& local);

  ConfigurationRecords configurationRecords();
  void loadConfiguration();
  bool saveConfiguration();

  void setWindows(iMainWindowCallback* mainWindow, iChartView* chartWindow);
  iMainWindowCallback* mainWindow() const { return mainWindow_; }
  iChartView* chartView() const { return chartWindow_; }
  void setTelescopeControl(iTelescopeControl* telescope);
  // Creates the telescope controller with the scope settings, starts its
  // command thread and gives it the clock's heartbeat.
  void startTelescope();
  iTelescopeControl* telescope() const { return telescope_; }

  Clock& clock() { return *clock_; }
  // The catalogs, made by the data load; null before.
  SkyCatalogs* catalogs() { return catalogs_.get(); }
  void setCatalogs(std::unique_ptr<SkyCatalogs> catalogs);
  ChartRenderer& renderer() { return renderer_; }
  RenderingOutputDisplay& screenOutput() { return display_; }
  // The output the chart pass draws on: the screen unless a caller puts
  // another in between (counting what is drawn, for instance).
  void setCurrentOutput(RenderingOutput* output);
  UiResources& resources() { return resources_; }
  const std::string& programDir() const { return programDir_; }
  // Where the user's serial-port links (ports/COM<n>) are looked for: the
  // directory of the user's files, so an installed program finds them too.
  std::string portsDirectory() const;
  const std::string& configurationPath() const { return configurationPath_; }

  // The records of the running program; dialogs edit them and then call the
  // operation that applies the change.
  ChartDate universal{2007, 6, 15, 20, 0, 0.0};
  ChartDate local{2007, 6, 15, 22, 0, 0.0};
  ObservingPlace place;
  NavigationSettings navigation;
  ScopeSettings scope;
  GamepadSettings gamepad;
  SpiralSearchSettings spiralSearch;
  ChartSettings chart;
  // The telescope controller's reports on their way to the telescope windows.
  TelescopeHandOver handOver;
  StarInfoFile starInfo;
  std::array<uint8_t, kDisplaySwitchCount> displaySwitches{};
  ReferencePoints referencePoints{*this};
  CentringTarget lastCentringTarget;
  // The object last picked or centred on becomes the target of a Goto, and
  // the telescope panels show it at once.
  void setTarget(double raRad, double decRad);
  bool redrawPending = false;
  bool statusPending = false;
  bool selectionValid = false;
  int pickFilter = 0;  // 0 all kinds, 1..6 one kind
  Selection selection;
  HitList hits;
  OutputArea outputArea;
  RenderOptions renderOptions;
  SkyPolylines ecliptic;
  SkyPolylines horizon;
  FovOverlayControl fov{*this};
  // The observing aids, filled by the data load; the route is the star-hop
  // route the chart shows while ChartSettings::showRoute is on.
  CityList cities;
  StarHopGuides starHops;
  MoonImage moonImage;
  MoonMonth moonCalendar;
  SkyPolylines route;

 private:
  void selectFound(SearchKind kind, int index);
  void keepFieldWithin(int minFieldArcmin, int maxFieldArcmin);
  void setField(int fieldArcmin);
  void recomputeGridSteps();
  void updateSiderealTime();
  void drawOverlays();

  const std::string programDir_;
  const std::string configurationPath_;
  UiResources& resources_;
  std::unique_ptr<Clock> clock_;
  // Declared after the clock, so it ends before the clock that drives it.
  std::unique_ptr<TelescopeControl> telescopeControl_;
  std::unique_ptr<SkyCatalogs> catalogs_;
  std::array<std::unique_ptr<iTransformer>, 5> projections_;
  RenderingOutputDisplay display_;
  RenderingOutput* output_;
  ChartRenderer renderer_;
  iTelescopeControl* telescope_ = nullptr;
  iMainWindowCallback* mainWindow_ = nullptr;
  iChartView* chartWindow_ = nullptr;
};

}  // namespace celvaro
