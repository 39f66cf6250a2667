#include "catalog/sky_catalogs.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "catalog/catalog_file_type.h"
#include "catalog/star_data_gsc.h"
#include "catalog/star_data_segmented.h"
#include "catalog/star_data_simple.h"
#include "catalog/star_data_usno.h"

namespace celvaro {
namespace {

constexpr double kJ2000 = 2451545.0;  // where the catalog files place the stars
// A mark (a name, a double or a variable star) within this of a star is that star's.
constexpr double kSameStarArcmin = 0.5;
constexpr int kDeclinationBands = 180 * 60;  // one arcminute each

int bandOf(double decRad) {
  return std::clamp(static_cast<int>((decRad + std::numbers::pi / 2) * 3437.747), 0, kDeclinationBands);
}

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

void SkyCatalogs::setStarEpoch(double julianDate) {
  if (motions_.empty() || std::abs(julianDate - starEpoch_) <= ProperMotions::kEpochStepDays) return;
  if (bandStarts_.empty()) indexMainStars();
  starEpoch_ = julianDate;
  for (StarCatalogSlot& slot : slots_) {
    if (slot.catalog) slot.catalog->moveStars(motions_, julianDate);
  }
  const StarMover mover = [this](double raRad, double decRad) { return movedMark(raRad, decRad); };
  labels_.moveStars(mover);
  if (doubles_) doubles_->moveStars(mover);
  if (variables_) variables_->moveStars(mover);
}

// A counting sort of the main catalog's stars by their bands.
void SkyCatalogs::indexMainStars() {
  const auto* stars = dynamic_cast<const StarDataSimple*>(slots_[0].catalog.get());
  if (!stars || slots_[0].identifierKind != kIdentifierHipparcos) return;
  bandStarts_.assign(kDeclinationBands + 2, 0);
  for (int i = 0; i < stars->starCount(); ++i) ++bandStarts_[bandOf(stars->filePlace(i).decRad) + 1];
  for (size_t b = 1; b < bandStarts_.size(); ++b) bandStarts_[b] += bandStarts_[b - 1];
  starsByBand_.resize(stars->starCount());
  std::vector<uint32_t> next(bandStarts_.begin(), bandStarts_.end() - 1);
  for (int i = 0; i < stars->starCount(); ++i) {
    const EquatorialPosition at = stars->filePlace(i);
    starsByBand_[next[bandOf(at.decRad)]++] = {at.raRad, at.decRad, stars->hipparcosNumber(i)};
  }
  for (size_t b = 0; b + 1 < bandStarts_.size(); ++b) {
    std::sort(starsByBand_.begin() + bandStarts_[b], starsByBand_.begin() + bandStarts_[b + 1],
              [](const IndexedStar& x, const IndexedStar& y) { return x.raRad < y.raRad; });
  }
}

// A mark moves with the star nearest to it within half an arcminute when
// that star is a fast one (double and variable star catalogs give their
// own places; alpha Cen A and B stand 15" apart).
std::optional<EquatorialPosition> SkyCatalogs::movedMark(double raRad, double decRad) const {
  if (bandStarts_.empty()) return std::nullopt;
  const int band = bandOf(decRad);
  // The right ascensions within reach; the whole band where they wrap.
  const double reach = std::min(kSameStarArcmin / 3437.747 / std::max(std::cos(decRad), 1e-9), std::numbers::pi);
  const bool wraps = raRad - reach < 0 || raRad + reach > 2 * std::numbers::pi;
  const IndexedStar* nearest = nullptr;
  double nearestArcmin = kSameStarArcmin;
  for (int b = std::max(band - 1, 0); b <= std::min(band + 1, kDeclinationBands); ++b) {
    const auto first = starsByBand_.begin() + bandStarts_[b], last = starsByBand_.begin() + bandStarts_[b + 1];
    auto it = wraps ? first : std::lower_bound(first, last, raRad - reach,
                                               [](const IndexedStar& x, double ra) { return x.raRad < ra; });
    for (; it != last && (wraps || it->raRad <= raRad + reach); ++it) {
      const double arcmin = separationAndAngle(raRad, decRad, it->raRad, it->decRad, false).arcmin;
      if (arcmin <= nearestArcmin) nearest = &*it, nearestArcmin = arcmin;
    }
  }
  if (!nearest || !motions_.isFast(nearest->hipparcos)) return std::nullopt;
  return motions_.placeAt(nearest->hipparcos, raRad, decRad, starEpoch_);
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
  regions_.load(boundaries_);
  names_.load(resolveDataPath(directory_, kConstellationNamesPath));
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
