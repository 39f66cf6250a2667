#include "catalog/sky_catalogs.h"

#include <algorithm>
#include <cmath>

#include "catalog/catalog_file_type.h"
#include "catalog/star_data_gsc.h"
#include "catalog/star_data_segmented.h"
#include "catalog/star_data_simple.h"
#include "catalog/star_data_usno.h"
#include "platform/data_paths.h"

namespace celvaro {
namespace {

constexpr double kJ2000 = 2451545.0;  // where the catalog files place the stars
// A mark (a name, a double or a variable star) within this of a star is that star's.
const std::string kNoName;

std::unique_ptr<iStarData> starCatalogOfType(int type, StarBuffer& buffer) {
  switch (type) {
    case kFileStarsSimple:
      return std::make_unique<StarDataSimple>();
    case kFileStarsSegmented:
      return std::make_unique<StarDataSegmented>(buffer);
    case kFileStarsGsc:
      return std::make_unique<StarDataGsc>(buffer);
    case kFileStarsUsnoA:
      return std::make_unique<StarDataUSNO>(buffer);
    default:
      return nullptr;
  }
}

}  // namespace

SkyCatalogs::SkyCatalogs(std::string dataDirectory)
    : directory_(std::move(dataDirectory)),
      solarSystem_([directory = directory_](const std::string& fileName) {
        return resolveDataPath(directory, std::string(kMinorBodyDirectory) + "/" + fileName);
      }) {}

int SkyCatalogs::registerStarCatalog(int slot, int identifierKind, const std::string& path,
                                     const std::string& displayName, int32_t minLimitHundredths,
                                     int32_t maxFieldArcmin) {
  if (slot < 0 || slot >= kStarSlots) return 3;
  const int type = detectCatalogFileType(resolveDataPath(directory_, path));
  if (type == kFileCannotOpen) return 4;
  std::unique_ptr<iStarData> catalog = starCatalogOfType(type, starBuffer_);
  if (!catalog) return 1;
  catalog->setDataDirectory(directory_);
  if (catalog->open(path) != 0) return 1;
  if (!motions_.empty() && starEpoch_ != kJ2000) catalog->moveStars(motions_, starEpoch_);
  slots_[slot] = {identifierKind, true, minLimitHundredths, maxFieldArcmin, std::move(catalog), path,
                  displayName.substr(0, 99)};
  slotsInUse_ = std::max(slotsInUse_, slot + 1);
  return 0;
}

void SkyCatalogs::setProperMotions(ProperMotions motions, const MarkLinks& links) {
  motions_ = std::move(motions);
  for (int kind = 0; kind < MarkLinks::kKindCount; ++kind) {
    const MarkLinks::Marks& marks = links.of(static_cast<MarkLinks::Kind>(kind));
    MarkMotions& moving = markMotions_[kind];
    moving = {marks.recordCount, {}};
    for (const MarkLinks::Link& link : marks.links) {
      const ProperMotions::AngularMotion m = motions_.angularMotion(link.hipparcos);
      if (link.record >= marks.recordCount || (m.eastRadPerYear == 0 && m.northRadPerYear == 0)) continue;
      moving.marks.push_back({link.record, m.eastRadPerYear / std::max(std::cos(link.starDecRad), 1e-9),
                              m.northRadPerYear});
    }
  }
}

void SkyCatalogs::setStarEpoch(double julianDate) {
  if (motions_.empty() || std::abs(julianDate - starEpoch_) <= ProperMotions::kEpochStepDays) return;
  starEpoch_ = julianDate;
  for (StarCatalogSlot& slot : slots_) {
    if (slot.catalog) slot.catalog->moveStars(motions_, julianDate);
  }
  const double years = (julianDate - kJ2000) / 365.25;
  labels_.moveMarks(markMotions_[MarkLinks::kNames], years);
  if (doubles_) doubles_->moveMarks(markMotions_[MarkLinks::kDoubleStars], years);
  if (variables_) variables_->moveMarks(markMotions_[MarkLinks::kVariableStars], years);
}

void SkyCatalogs::selectStarCatalog(int32_t limitHundredths, int32_t fieldArcmin) {
  if (slotsInUse_ == 0) {
    currentSlot_ = 0;
    return;
  }
  for (int i = 1; i < slotsInUse_; ++i) {
    const StarCatalogSlot& s = slots_[i];
    if (s.minLimitHundredths >= limitHundredths || s.maxFieldArcmin < fieldArcmin) {
      currentSlot_ = i - 1;
      return;
    }
  }
  currentSlot_ = slotsInUse_ - 1;
}

iStarData* SkyCatalogs::currentStarCatalog() const { return slots_[currentSlot_].catalog.get(); }

int SkyCatalogs::currentStarOfHipparcos(int32_t hipparcos) const {
  const iStarData* stars = currentStarCatalog();
  if (!stars || hipparcos <= 0 || currentIdentifierKind() != kIdentifierHipparcos) return -1;
  int kind = 0;
  int32_t n1 = 0, n2 = 0, n3 = 0, n4 = 0;
  for (int i = 0; i < stars->starCount(); ++i) {
    if (stars->getCatalogNumbers(i, kind, n1, n2, n3, n4) && kind == kIdentifierHipparcos && n1 == hipparcos) return i;
  }
  return -1;
}

int SkyCatalogs::currentIdentifierKind() const { return slots_[currentSlot_].identifierKind; }

const std::string& SkyCatalogs::currentDisplayName() const {
  return slots_[currentSlot_].loaded ? slots_[currentSlot_].displayName : kNoName;
}

void SkyCatalogs::loadConstellations() {
  lines_.load(resolveDataPath(directory_, kConstellationLinesPath));
  boundaries_.load(resolveDataPath(directory_, kConstellationBoundariesPath));
  regions_.reset();
  names_.load(resolveDataPath(directory_, kConstellationNamesPath));
}

MilkyWay::LoadResult SkyCatalogs::loadMilkyWay() {
  milkyWayRead_ = true;
  return milkyWay_.load(resolveDataPath(directory_, MilkyWay::kPath));
}

const MilkyWay& SkyCatalogs::milkyWay() {
  if (!milkyWayRead_) loadMilkyWay();
  return milkyWay_;
}

int SkyCatalogs::openStarLabels() { return labels_.open(resolveDataPath(directory_, kStarLabelsPath)); }

int SkyCatalogs::loadStarIds() {
  starIdsOpened_ = true;
  return starIds_.open(resolveDataPath(directory_, kStarIdPath), resolveDataPath(directory_, kStarIdTychoPath));
}

StarIdDatabase& SkyCatalogs::starIds() {
  if (!starIdsOpened_) loadStarIds();
  return starIds_;
}

const ConstellationRegions& SkyCatalogs::constellationRegions() {
  if (!regions_) {
    regions_.emplace();
    regions_->load(boundaries_);
  }
  return *regions_;
}

const CommonNames& SkyCatalogs::commonNames() {
  if (!commonNames_) {
    commonNames_.emplace();
    commonNames_->load(resolveDataPath(directory_, CommonNames::kPath));
  }
  return *commonNames_;
}

namespace {

// Builds a catalog by its file's type, then opens it from the data directory.
template <typename Catalog>
std::unique_ptr<Catalog> openedCatalog(const std::string& directory, const char* path,
                                       std::unique_ptr<Catalog> (*ofType)(int)) {
  std::unique_ptr<Catalog> catalog = ofType(detectCatalogFileType(resolveDataPath(directory, path)));
  if (!catalog) return nullptr;
  catalog->setDataDirectory(directory);
  catalog->open(path);
  return catalog;
}

}  // namespace

void SkyCatalogs::loadDeepsky() {
  deepsky_ = openedCatalog(directory_, kDeepskyPath, deepskyCatalogOfType);
  if (deepsky_) deepsky_->setInfoFile(resolveDataPath(directory_, kDeepskyInfoPath));
}

void SkyCatalogs::loadDoubleStars() { doubles_ = openedCatalog(directory_, kDoubleStarsPath, doubleStarCatalogOfType); }

void SkyCatalogs::loadVariableStars() {
  variables_ = openedCatalog(directory_, kVariableStarsPath, variableStarCatalogOfType);
}

}  // namespace celvaro
