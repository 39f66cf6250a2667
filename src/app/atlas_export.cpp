#include "app/atlas_export.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <numbers>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include "app/app_model.h"
#include "app/finder_chart.h"
#include "app/map_title.h"
#include "app/object_finder.h"
#include "app/ui_resources.h"
#include "astro/apparent_place.h"
#include "astro/coordinates.h"
#include "catalog/constellation_regions.h"
#include "catalog/deepsky_data.h"
#include "catalog/sky_catalogs.h"
#include "model/text_ids.h"
#include "output/rendering_output_display.h"
#include "platform/text_line_reader.h"
#include "platform/utf_text.h"
#include "render/atlas_plan.h"
#include "platform/ascii_text.h"

namespace celvaro {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRadPerArcmin = kPi / 10800;
constexpr int kFirstChartPage = 2;  // after the key
// Each chart's outer twentieth on each side lies on its neighbours too.
constexpr int kOverlapShare = 10;
// The key shows the brightest stars and no deep-sky objects: the page
// numbers are what it is read for.
constexpr int kKeyStarLimit = 450;
constexpr int32_t kKeyLargestStar = 150;  // hundredths of a millimetre
constexpr int kHemisphereFieldArcmin = 190 * 60;
constexpr int kIndexColumns = 3;
constexpr int kCatalogueCount = 110;  // of Messier's, and about as many of Caldwell's

std::string pageNumber(int chart) { return std::to_string(chart + kFirstChartPage); }

// The settings every chart of the atlas shares: equatorial, north up, the
// field and the star limit asked for, no horizon.
ChartSettings atlasSettings(const ChartSettings& chart, const AtlasOptions& options) {
  ChartSettings s = chart;
  s.horizontalMode = 0;
  s.mirrorMode = kMirrorNone;
  s.needHorizon = 0;
  s.showRoute = 0;
  s.fieldArcmin = options.fieldArcmin;
  s.scaleHalfFieldArcmin = s.scaleHalfExtent = 0;
  s.starLimitManual = 1;
  s.starLimitManualValue = options.starLimitHundredths;
  return s;
}

ChartExport centredOn(ChartExport job, const AtlasPage& page) {
  job.settings.centreRaArcmin = page.raArcmin;
  job.settings.centreDecArcmin = page.decArcmin;
  return job;
}

// --- what an atlas covers ---------------------------------------------------

// The stretch of right ascension the points take, the widest gap between
// them left out.
void raStretch(std::vector<double> ras, SkyBox& box) {
  std::sort(ras.begin(), ras.end());
  double gap = ras.front() + 2 * kPi - ras.back(), start = ras.front();
  for (size_t i = 1; i < ras.size(); ++i) {
    if (ras[i] - ras[i - 1] > gap) gap = ras[i] - ras[i - 1], start = ras[i];
  }
  box.raStartRad = start;
  box.raSpanRad = 2 * kPi - gap;
}

// The box of the constellation's boundary, to the pole for one that holds it.
std::optional<SkyBox> constellationBox(SkyCatalogs& catalogs, int constellation) {
  const auto rings = boundaryRings(catalogs.constellationBoundaries());
  if (constellation < 0 || constellation >= static_cast<int>(rings.size()) || rings[constellation].empty()) {
    return std::nullopt;
  }
  SkyBox box{kPi / 2, -kPi / 2, 0, 0};
  std::vector<double> ras;
  for (const auto& [ra, dec] : rings[constellation]) {
    box.decLowRad = std::min(box.decLowRad, dec);
    box.decHighRad = std::max(box.decHighRad, dec);
    ras.push_back(ra);
  }
  raStretch(std::move(ras), box);
  const ConstellationRegions& regions = catalogs.constellationRegions();
  for (const double pole : {kPi / 2, -kPi / 2}) {
    if (regions.constellationAt(0, pole) != constellation) continue;
    (pole > 0 ? box.decHighRad : box.decLowRad) = pole;
    box.raStartRad = 0;
    box.raSpanRad = 2 * kPi;
  }
  return box;
}

// --- the key ----------------------------------------------------------------

std::vector<SkyNote> pageNotes(const AtlasPlan& plan) {
  std::vector<SkyNote> notes;
  for (int i = 0; i < static_cast<int>(plan.pages().size()); ++i) {
    const AtlasPage& page = plan.pages()[i];
    notes.push_back({page.raArcmin * kRadPerArcmin, page.decArcmin * kRadPerArcmin, pageNumber(i)});
  }
  return notes;
}

ChartExport keyChart(const ChartExport& base, const AtlasPage& centre, int fieldArcmin, std::string title) {
  ChartExport key = centredOn(base, centre);
  key.settings.projectionId = kProjectionEquidistant;
  key.settings.fieldArcmin = fieldArcmin;
  key.settings.starLimitManualValue = kKeyStarLimit;
  key.settings.maxStarDiameter = key.settings.maxStarDiameterCap = kKeyLargestStar;
  key.settings.deepskyMode = 0;
  key.titleLines = {std::move(title), base.titleLines.back()};
  return key;
}

// The two hemispheres, stacked, for the sky; one chart round the pages
// for a constellation.
std::vector<ChartExport> keyPage(const ChartExport& base, const AtlasPlan& plan, const PrintableMap& map,
                                 UiResources& texts, const std::string& subject, bool sky) {
  const std::string title = texts.textOr(text_id::kAtlasKeyTitle, "Key to the atlas pages") + ": ";
  std::vector<ChartExport> key;
  if (sky) {
    const StackedAreas areas = stackedAreas(map, 2, 2);
    key.push_back(keyChart(base, {0, 5400}, kHemisphereFieldArcmin,
                           title + texts.textOr(text_id::kAtlasNorthernSky, "northern sky")));
    key.push_back(keyChart(base, {0, -5400}, kHemisphereFieldArcmin,
                           title + texts.textOr(text_id::kAtlasSouthernSky, "southern sky")));
    key[0].area = areas.upper;
    key[1].area = areas.lower;
  } else {
    // Centred among the pages, wide enough for the farthest and a page more.
    Vector3 sum{0, 0, 0};
    for (const AtlasPage& p : plan.pages()) {
      const Vector3 u = unitVectorOf(p.raArcmin * kRadPerArcmin, p.decArcmin * kRadPerArcmin);
      sum = {sum.x + u.x, sum.y + u.y, sum.z + u.z};
    }
    const double ra = std::atan2(sum.y, sum.x), dec = std::atan2(sum.z, std::hypot(sum.x, sum.y));
    const AtlasPage centre{static_cast<int>(std::lround(std::fmod(ra + 2 * kPi, 2 * kPi) / kRadPerArcmin)) % 21600,
                           static_cast<int>(std::lround(dec / kRadPerArcmin))};
    double farthest = 0;
    for (const AtlasPage& p : plan.pages()) {
      farthest = std::max(farthest, separationAndAngle(ra, dec, p.raArcmin * kRadPerArcmin, p.decArcmin * kRadPerArcmin, false).arcmin);
    }
    const int field = std::min(static_cast<int>(2 * farthest) + 2 * base.settings.fieldArcmin, kHemisphereFieldArcmin);
    key.push_back(keyChart(base, centre, field, title + subject));
  }
  for (ChartExport& chart : key) chart.marks.notes = pageNotes(plan);
  return key;
}

// --- the pages --------------------------------------------------------------

// "↑ 12" at the top, "12 →" at the right, and so on; nothing where no page is.
std::array<std::string, 4> edgeTexts(const std::array<int, 4>& neighbours) {
  static constexpr const char* kBefore[4] = {"\u2191 ", "", "\u2193 ", "\u2190 "};
  static constexpr const char* kAfter[4] = {"", " \u2192", "", ""};
  std::array<std::string, 4> texts;
  for (size_t edge = 0; edge < texts.size(); ++edge) {
    if (neighbours[edge] >= 0) texts[edge] = kBefore[edge] + pageNumber(neighbours[edge]) + kAfter[edge];
  }
  return texts;
}

void addChartPages(const AppModel& model, const AtlasPlan& plan, const ChartExport& base, UiResources& texts,
                   std::vector<ChartExport>& jobs) {
  for (int i = 0; i < static_cast<int>(plan.pages().size()); ++i) {
    ChartExport job = centredOn(base, plan.pages()[i]);
    job.newPage = true;
    job.marks.edges = edgeTexts(plan.neighbours(i));
    job.titleLines = mapTitleLines(chartTitleOf(model, job.settings), texts);
    job.titleLines.front() = texts.textOr(text_id::kAtlasPage, "Page") + " " + pageNumber(i) + "   " + job.titleLines.front();
    jobs.push_back(std::move(job));
  }
}

// --- the index --------------------------------------------------------------

struct IndexEntry {
  int group;  // Messier's, Caldwell's, then the names
  int order;  // the catalogue number; the names go by their text
  std::string text;
  bool operator<(const IndexEntry& o) const { return std::tie(group, order, text) < std::tie(o.group, o.order, o.text); }
};

class IndexBuilder {
 public:
  IndexBuilder(SkyCatalogs& catalogs, const AtlasPlan& plan, int language)
      : catalogs_(catalogs), plan_(plan), language_(language) {}

  std::vector<std::string> lines() {
    numbered(0, "M ");
    numbered(1, "C ");
    deepskyNames();
    starNames();
    std::sort(entries_.begin(), entries_.end());
    std::vector<std::string> lines;
    for (const IndexEntry& e : entries_) lines.push_back(e.text);
    return lines;
  }

 private:
  void add(int group, int order, const std::string& text, double raRad, double decRad) {
    const int page = plan_.pageOf(raRad, decRad);
    if (page >= 0) entries_.push_back({group, order, text + " \u2013 " + pageNumber(page)});
  }

  void numbered(int group, const char* catalogue) {
    iDeepskyData* deepsky = catalogs_.deepsky();
    for (int n = 1; deepsky && n <= kCatalogueCount; ++n) {
      StarPosition at;
      const std::string designation = catalogue + std::to_string(n);
      if (!deepsky->findByDesignation(designation, at)) continue;
      const std::string name = utf16ToUtf8(deepsky->nameOf(at.index, language_));
      add(group, n, designation + (name.empty() ? "" : " " + name), at.raRad, at.decRad);
    }
  }

  void deepskyNames() {
    iDeepskyData* deepsky = catalogs_.deepsky();
    if (!deepsky) return;
    deepsky->selectNameList(language_);
    for (int position = deepsky->nextName(); position >= 0; position = deepsky->nextName()) {
      const auto name = deepsky->getName(position);
      const auto named = deepsky->getNamedObject(position);
      DeepskyObject object;
      if (name && named && deepsky->getObject(named->object, object)) {
        add(2, 0, utf16ToUtf8(*name), object.raRad, object.decRad);
      }
    }
  }

  // Named stars with a Bayer letter or a Flamsteed number: those of the
  // naked eye, which the atlas's charts show.
  void starNames() {
    StarIdDatabase& ids = catalogs_.starIds();
    std::string name;
    int recordNumber = -1;
    for (ids.restartNames(); ids.nextName(name, recordNumber);) {
      StarIdRecord r;
      if (!ids.readRecord(recordNumber, r) || (r.greekLetter >= 24 && r.flamsteed <= 0)) continue;
      const StarLabelParts parts{r.greekLetter < 24 ? r.greekLetter : -1, r.superscript,
                                 r.greekLetter < 24 ? -1 : r.flamsteed, r.constellation, nullptr};
      const EquatorialPosition place = catalogs_.starPlace(r.hipparcos, r.raRad, r.decRad);
      add(2, 0, name + " (" + utf16ToUtf8(RenderingOutputDisplay::starLabelText(parts)) + ")", place.raRad,
          place.decRad);
    }
  }

  SkyCatalogs& catalogs_;
  const AtlasPlan& plan_;
  int language_;
  std::vector<IndexEntry> entries_;
};

// Pages of text over the map's margins: the title across, the entries
// below it in columns.
void addIndexPages(std::vector<std::string> lines, const ChartExport& base, const PrintableMap& map,
                   const std::string& title, std::vector<ChartExport>& jobs) {
  ChartExport page = base;
  page.drawsChart = false;
  page.newPage = true;
  page.area = OutputArea{};
  page.area.left = page.area.top = page.area.pageMarginX = page.area.pageMarginY = map.margin;
  page.area.width = map.pageWidth - 2 * map.margin;
  page.area.height = map.pageHeight - 2 * map.margin;
  const size_t rows = std::max<int32_t>(1, page.area.height / ChartRenderer::kTitleLinePitch - 2);
  page.titleColumns = kIndexColumns;
  for (size_t first = 0; first < lines.size(); first += rows * kIndexColumns) {
    const size_t last = std::min(lines.size(), first + rows * kIndexColumns);
    page.titleLines = {title};
    page.titleLines.insert(page.titleLines.end(), lines.begin() + first, lines.begin() + last);
    jobs.push_back(page);
  }
}

// --- the atlas and the handout ---------------------------------------------

AtlasResult writeJobs(std::vector<ChartExport> jobs) {
  AtlasResult result;
  result.pages = static_cast<int>(std::count_if(jobs.begin(), jobs.end(), [](const ChartExport& j) { return j.newPage; })) + 1;
  result.written = exportCharts(std::move(jobs));
  if (!result.written) result.error = "the file could not be written";
  return result;
}

AtlasResult chartAtlas(AppModel& model, const std::optional<SkyBox>& box, const std::string& subject,
                       const AtlasOptions& options, const PrintableMap& map) {
  UiResources& texts = model.resources();
  const ChartSources sources{model.catalogs(), &model.ecliptic, nullptr, nullptr, texts.languageId()};
  ChartExport base = printableMapExport(map, atlasSettings(model.chart, options), sources,
                                        programPrintColours(model.programDir()));
  base.titleLines = mapTitleLines(chartTitleOf(model, base.settings), texts);
  AtlasPlan plan(base.settings.projectionId, base.area.width, base.area.height, options.fieldArcmin,
                 options.fieldArcmin / kOverlapShare);
  if (!(box ? plan.cover(*box) : plan.coverSky())) {
    return {false, 0, "a field of " + fieldText(options.fieldArcmin) + " would make more than " +
                          std::to_string(AtlasPlan::kMaxPages) + " pages"};
  }
  std::vector<ChartExport> jobs = keyPage(base, plan, map, texts, subject, !box);
  addChartPages(model, plan, base, texts, jobs);
  addIndexPages(IndexBuilder(*model.catalogs(), plan, texts.languageId()).lines(), base, map,
                texts.textOr(text_id::kAtlasIndexTitle, "Index"), jobs);
  return writeJobs(std::move(jobs));
}

// The list file's objects, a line each; blank lines and lines from "#" are none.
std::vector<ListedObject> listedObjects(TextLineReader& list) {
  std::vector<ListedObject> objects;
  std::string line;
  for (int number = 1; list.next(line); ++number) {
    const std::string text(trimmed(line));
    if (!text.empty() && text[0] != '#') objects.push_back({"line " + std::to_string(number) + ": ", text});
  }
  return objects;
}

}  // namespace

AtlasResult exportAtlas(AppModel& model, const std::string& subject, const AtlasOptions& options,
                        const PrintableMap& map) {
  SkyCatalogs* catalogs = model.catalogs();
  if (!catalogs) return {false, 0, "no catalogs are loaded"};
  if (options.fieldArcmin < 1 || options.fieldArcmin > AtlasOptions::kMaxFieldArcmin) {
    return {false, 0, "an atlas page's field is 1' to 180 degrees"};
  }
  if (sameIgnoringCase(subject, "sky")) return chartAtlas(model, std::nullopt, "", options, map);
  if (TextLineReader list(subject); list.isOpen()) return exportFinderCharts(model, listedObjects(list), map);
  const auto found = ObjectFinder(*catalogs, model.chart.minorPlanetLists, model.resources().languageId()).find(subject);
  if (!found || found->kind != SearchKind::kConstellation) {
    return {false, 0, "'" + subject + "' is neither the sky, a constellation nor a list file"};
  }
  const auto box = constellationBox(*catalogs, found->position.index);
  if (!box) return {false, 0, "no boundary for " + found->designation};
  return chartAtlas(model, box, found->designation, options, map);
}

AtlasResult exportFinderCharts(AppModel& model, const std::vector<ListedObject>& objects, const PrintableMap& map) {
  if (!model.catalogs()) return {false, 0, "no catalogs are loaded"};
  if (objects.empty()) return {false, 0, "the list names no object"};
  const ChartSettings chart = model.chart;
  const Selection selection = model.selection;
  const bool selectionValid = model.selectionValid;
  const CentringTarget target = model.lastCentringTarget;
  std::vector<ChartExport> jobs;
  std::deque<SkyPolylines> routes;
  std::string error;
  for (auto object = objects.begin(); object != objects.end() && error.empty(); ++object) {
    const auto found =
        ObjectFinder(*model.catalogs(), model.chart.minorPlanetLists, model.resources().languageId()).find(object->text);
    if (!found) {
      error = object->where + "no object called '" + object->text + "'";
    } else if (centreOnFoundObject(model, *found) != kSearchCentred) {
      error = object->where + found->designation + " is below the horizon";
    } else if (std::vector<ChartExport> parts = finderChartParts(model, *found, map, routes.emplace_back());
               parts.empty()) {
      error = "the page leaves no room for the charts";
    } else {
      parts.front().newPage = !jobs.empty();
      for (ChartExport& part : parts) jobs.push_back(std::move(part));
    }
  }
  const AtlasResult result = error.empty() ? writeJobs(std::move(jobs)) : AtlasResult{false, 0, error};
  model.chart = chart;
  model.selection = selection;
  model.selectionValid = selectionValid;
  model.lastCentringTarget = target;
  model.applyView();
  return result;
}

}  // namespace celvaro
