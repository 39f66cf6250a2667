#include "ui/chart_command.h"

#include <QImage>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <numbers>
#include <thread>

#include "app/app_model.h"
#include "app/atlas_export.h"
#include "app/configuration.h"
#include "app/finder_chart.h"
#include "app/model_object_info.h"
#include "app/object_finder.h"
#include "app/printable_map_export.h"
#include "app/program_paths.h"
#include "app/setting_file.h"
#include "app/startup.h"
#include "app/ui_resources.h"
#include "astro/sidereal_time.h"
#include "astro/zone_time.h"
#include "output/png_encoding.h"
#include "platform/data_paths.h"
#include "platform/file_replace.h"
#include "render/fov_overlay.h"
#include "render/fov_schemes.h"
#include "render/layer_statistics.h"
#include "ui/qt_canvas.h"

namespace celvaro {
namespace {

constexpr double kPi = std::numbers::pi;

// The start of the process, near enough: static data are set up before main.
const std::chrono::steady_clock::time_point kProcessStart = std::chrono::steady_clock::now();

// The milliseconds of each phase of the command, printed when asked.
class PhaseClock {
 public:
  explicit PhaseClock(bool print) : print_(print) {}
  // Ends the phase that began where the last one ended.
  void end(const char* phase) {
    const auto now = std::chrono::steady_clock::now();
    if (print_) std::printf("%s %.1f ms\n", phase, std::chrono::duration<double, std::milli>(now - last_).count());
    last_ = now;
  }

 private:
  bool print_;
  std::chrono::steady_clock::time_point last_ = kProcessStart;
};

// One line on the standard error, after the program's name.
void complain(const std::string& message) { std::fprintf(stderr, "celvaro-chart: %s\n", message.c_str()); }

std::string joined(const std::vector<std::string>& texts, const std::string& separator) {
  std::string text;
  for (const std::string& t : texts) text += (text.empty() ? "" : separator) + t;
  return text;
}

}  // namespace

int chartPixels(int picturePixels, double scale) {
  return std::max(1, static_cast<int>(std::lround(picturePixels / scale)));
}

int prepareChartModel(AppModel& model, const ChartRequest& r) {
  model.loadConfiguration();
  applyPlaceOptions(r, model.place);
  if (r.settingsFile && !readSettingFile(*r.settingsFile, model.chart)) {
    complain("cannot read the setting file " + *r.settingsFile);
    return 2;
  }
  model.setUniversalDate(instantOf(r));
  if (r.fieldArcmin) model.chart.fieldArcmin = *r.fieldArcmin;
  if (r.projection) model.chart.projectionId = static_cast<uint32_t>(*r.projection);
  if (r.mirror) model.chart.mirrorMode = static_cast<uint32_t>(*r.mirror);
  if (r.refraction) model.chart.refraction = 1;
  if (r.starLimit) {
    model.chart.starLimitManual = 1;
    model.chart.starLimitManualValue = static_cast<int>(std::lround(*r.starLimit * 100));
  }
  model.setChartSize(chartPixels(r.width, r.scale), chartPixels(r.height, r.scale));
  if (!loadChartData(model)) {
    complain("no star catalog at " + joined(dataPathCandidates(model.programDir(), kMainCatalogPath), " or ") +
             " (--program-dir names the directory that holds data/)");
    return 2;
  }
  if (r.azDeg && r.altDeg) {
    // Azimuth from the north through the east becomes the chart's, from the south through the west.
    const double southBased = std::fmod(*r.azDeg + 180.0, 360.0);
    model.centreOnHorizontal(static_cast<int>(*r.altDeg * 60), static_cast<int>(southBased * 60));
  } else if (r.raHours && r.decDeg) {
    model.centreOn(*r.raHours * kPi / 12, *r.decDeg * kPi / 180, 0, 0, false);
  } else {
    const ZenithPosition zenith = zenithPosition(model.universal, model.place.longitudeDeg, model.place.latitudeDeg);
    model.centreOn(std::fmod(zenith.raDeg + 360, 360) * kPi / 180, zenith.decDeg * kPi / 180, 0, 0, false);
  }
  model.applyView();
  return 0;
}

namespace {

double milliseconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void printMedianOfRuns(int runs, const std::function<void()>& work) {
  if (runs <= 0) return;
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) times.push_back(milliseconds(work));
  std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
  std::printf("median_ms=%.2f\n", times[times.size() / 2]);
}

// What the chart is drawn from, read on a thread of its own.
struct ChartData {
  UiResources resources;
  std::unique_ptr<AppModel> model;
  std::optional<FoundObject> found;
  int failure = 0;  // the exit code of a search that failed
};

// The atlas the request asks for, its field and limit the request's or
// the atlas's own; false when it is not written (said).
bool writeAtlas(AppModel& model, const ChartRequest& request, const PrintableMap& map) {
  AtlasOptions options;
  if (request.fieldArcmin) options.fieldArcmin = *request.fieldArcmin;
  if (request.starLimit) options.starLimitHundredths = static_cast<int>(std::lround(*request.starLimit * 100));
  const AtlasResult result = exportAtlas(model, *request.atlas, options, map);
  if (!result.written) complain(request.out + ": " + result.error);
  return result.written;
}

// A printable map of the chart, the object's finder chart or an atlas
// instead of a picture.
int writeMapFile(ChartData& data, const ChartRequest& request, PhaseClock& clock) {
  const PrintableMap map = printableMapOf(request);
  AppModel& model = *data.model;
  const auto write = [&] {
    if (request.atlas) return writeAtlas(model, request, map);
    return request.finder ? exportFinderChart(model, *data.found, map) : exportPrintableMap(model, map);
  };
  bool written = write();
  clock.end("draw and write");
  printMedianOfRuns(request.benchRuns, [&] { written = write() && written; });
  if (!written) {
    if (!request.atlas) complain("cannot write " + request.out);
    return 1;
  }
  return 0;
}

void printStatistics(const LayerStatistics& stats, const ChartSettings& s, const std::optional<FoundObject>& found) {
  for (const std::string& layer : LayerStatistics::layerNames()) std::printf("%s=%d\n", layer.c_str(), stats.count(layer));
  std::printf("starlimit=%d\ndslevel=%d\nrastep=%d\ndecstep=%d\n", s.starLimitHundredths, s.deepskyLevel,
              s.raGridStepArcmin, s.decGridStepArcmin);
  if (!found) return;
  const double raHours = std::fmod(found->position.raRad * 12 / kPi + 24, 24);
  std::printf("object=%s\ncentre=%.6f %.6f\n", found->designation.c_str(), raHours, found->position.decRad * 180 / kPi);
}

// Centres the chart on what the search finds for the requested object, in
// the field the Search menu shows it in unless the request gives one; 0, or
// the exit code of a failure, which is reported.
int centreOnObject(AppModel& model, const ChartRequest& request, std::optional<FoundObject>& found) {
  if (SkyCatalogs* catalogs = model.catalogs()) {
    found = ObjectFinder(*catalogs, model.chart.minorPlanetLists, model.resources().languageId()).find(*request.object);
  }
  if (!found) {
    complain("no object called '" + *request.object + "'");
    return 2;
  }
  if (centreOnFoundObject(model, *found) != kSearchCentred) {
    complain(found->designation + " is below the horizon");
    return 3;
  }
  if (request.fieldArcmin) model.chart.fieldArcmin = *request.fieldArcmin;
  model.applyView();
  return 0;
}

// The scheme's overlay on the object the search centred the chart on, else
// on the chart's centre; 0, or 2 when the file cannot be read (said).
int showFovScheme(AppModel& model, const std::string& path) {
  FovSchemes schemes;
  if (!schemes.load(path)) {
    complain("cannot read the field-of-view scheme " + path);
    return 2;
  }
  FovOverlay& overlay = model.fov.shown;
  schemeToOverlay(schemes.scheme, overlay);
  overlay.shown = 1;
  const CentringTarget& target = model.lastCentringTarget;
  overlay.centreRaRad = target.valid ? target.raRad : model.chart.centreRaArcmin * kPi / 10800;
  overlay.centreDecRad = target.valid ? target.decRad : model.chart.centreDecArcmin * kPi / 10800;
  return 0;
}

// The picture as a PNG file; false when it cannot be encoded or written.
bool writePicture(const QImage& image, const std::string& path, PhaseClock& clock) {
  const PixelRows rows{reinterpret_cast<const uint32_t*>(image.constBits()), image.width(), image.height(),
                       static_cast<size_t>(image.bytesPerLine()) / 4};
  std::string png;
  const bool encoded = encodePng(rows, png);
  clock.end("encode");
  const bool written = encoded && writeOutputFile(path, png);
  clock.end("write");
  return written;
}

// The object-information window's text, a property to a line, with the
// star-hop route the window shows for a Messier object.
void printInformation(AppModel& model, const FoundObject& found) {
  model.starHops.loadStarHops(resolveDataPath(model.programDir(), StarHopGuides::kRoutesPath));
  for (const ObjectProperty& line : informationLines(objectInformation(model, found), model.resources())) {
    std::printf("%s: %s\n", line.caption.c_str(), line.value.c_str());
  }
}


void loadChartData(const ChartRequest& request, ChartData& data) {
  data.resources.setProgramDir(request.programDir);
  const int chosen = data.resources.readLanguageChoice();
  data.resources.loadLanguage(request.language.value_or(chosen != kLanguageNone ? chosen : kEnglish));
  data.model = std::make_unique<AppModel>(request.programDir, configurationPath(request.programDir), data.resources);
  data.failure = prepareChartModel(*data.model, request);
  if (request.object && data.failure == 0) data.failure = centreOnObject(*data.model, request, data.found);
  if (request.fovSchemeFile && data.failure == 0) data.failure = showFovScheme(*data.model, *request.fovSchemeFile);
}

// Makes the labels' font and the glyphs of most labels ready before the
// drawing needs them: Qt keeps them for the thread that made them.
void prepareLabelFont() {
  QImage scratch(64, 16, QImage::Format_RGB32);
  QtCanvas(scratch).text(0, 0, u"0123456789+-.:°'\" ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz "
                         u"αβγδεζηθικλμνξοπρστυφχψω", Rgb{});
}

// The picture's pixels, filled once so that the system has given the
// memory before the drawing starts.
QImage blankPicture(const ChartRequest& request) {
  QImage image(request.width, request.height, QImage::Format_RGB32);
  image.setDevicePixelRatio(request.scale);
  image.fill(0);
  return image;
}

// Draws the chart into the picture and writes it; the exit code.
int drawPicture(ChartData& data, const ChartRequest& request, QImage& image, PhaseClock& clock) {
  AppModel& model = *data.model;
  TextLayouts layouts;
  auto paint = [&] {
    QtCanvas canvas(image, &layouts);
    model.paintChart(canvas);
  };
  LayerStatistics stats(model.screenOutput());
  if (request.stats) model.setCurrentOutput(&stats);
  paint();
  if (request.stats) printStatistics(stats, model.chart, data.found);
  model.setCurrentOutput(nullptr);
  clock.end("draw");
  // The encoding needs only the picture: the catalogs go first, so that the
  // process's peak memory is the drawing's.
  if (request.benchRuns == 0) data.model.reset();
  if (!request.out.empty() && !writePicture(image, request.out, clock)) {
    complain("cannot write " + request.out);
    return 1;
  }
  printMedianOfRuns(request.benchRuns, paint);
  return 0;
}

}  // namespace

int runChartRequest(const ChartRequest& request, const std::function<void()>& startQt) {
  PhaseClock clock(request.timings);
  // The data are read while Qt starts: the two share nothing. They are not
  // taken down piece by piece when the chart is written: the program ends
  // then, and the system frees the whole process at once.
  ChartData& data = *new ChartData;
  std::thread loading([&] { loadChartData(request, data); });
  // Printable maps and information are written without Qt.
  const bool picture = request.format == "png" && (!request.out.empty() || request.stats);
  QImage image;
  if (picture) {
    startQt();
    prepareLabelFont();
    image = blankPicture(request);
  }
  clock.end("start-up");
  loading.join();
  if (data.failure) return data.failure;
  if (request.info) printInformation(*data.model, *data.found);
  clock.end("data load");
  if (request.format != "png") return writeMapFile(data, request, clock);
  return picture ? drawPicture(data, request, image, clock) : 0;
}

}  // namespace celvaro
