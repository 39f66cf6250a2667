// The catalog container: the five star-catalog slots with the choice of
// the current one for the view, the constellation figures and boundaries,
// the star labels, the deep-sky, double-star and variable-star catalogs and
// the solar system.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "catalog/common_names.h"
#include "catalog/constellation_names.h"
#include "catalog/constellation_regions.h"
#include "catalog/deepsky_data.h"
#include "catalog/double_star_data.h"
#include "catalog/mark_links.h"
#include "catalog/milky_way.h"
#include "catalog/proper_motions.h"
#include "catalog/sky_polylines.h"
#include "catalog/star_buffer.h"
#include "catalog/star_data.h"
#include "catalog/star_id_database.h"
#include "catalog/star_labels.h"
#include "catalog/variable_star_data.h"
#include "solarsystem/solar_system.h"

namespace celvaro {

struct StarCatalogSlot {
  int identifierKind = 0;
  bool loaded = false;
  int32_t minLimitHundredths = 0;  // used only when the chart's limit is fainter
  int32_t maxFieldArcmin = 0;      // used only when the chart's field is not wider
  std::unique_ptr<iStarData> catalog;
  std::string path;
  std::string displayName;
};

class SkyCatalogs {
 public:
  static constexpr int kStarSlots = 5;
  static constexpr const char* kConstellationLinesPath = "data/constlines.dat";
  static constexpr const char* kConstellationBoundariesPath = "data/constboundaries.dat";
  static constexpr const char* kConstellationNamesPath = "data/constellation_names.txt";
  static constexpr const char* kStarLabelsPath = "data/star_labels.dat";
  static constexpr const char* kMinorBodyDirectory = "data/mpc";
  static constexpr const char* kDeepskyPath = "data/deepsky.dat";
  static constexpr const char* kDeepskyInfoPath = "data/deepsky_ngcicdata.dat";
  static constexpr const char* kDoubleStarsPath = "data/doubles_d3.dat";
  static constexpr const char* kVariableStarsPath = "data/variables.dat";
  static constexpr const char* kStarIdPath = "data/starid.dat";
  static constexpr const char* kStarIdTychoPath = "data/starid_tycho.dat";

  explicit SkyCatalogs(std::string dataDirectory);

  // 0, 3 for a slot above 4, 4 when the file cannot be opened, 1 when it is
  // not a star catalog or does not open as one.
  int registerStarCatalog(int slot, int identifierKind, const std::string& path,
                          const std::string& displayName, int32_t minLimitHundredths,
                          int32_t maxFieldArcmin);
  // Chooses the deepest slot whose thresholds admit the view.
  void selectStarCatalog(int32_t limitHundredths, int32_t fieldArcmin);
  iStarData* currentStarCatalog() const;
  // The catalog of slot 0, the one every chart starts from; null before it
  // is registered.
  iStarData* mainStarCatalog() const { return slots_[0].catalog.get(); }
  // The index in the current star catalog of the star with a Hipparcos
  // number, so a star found by name can be selected as a click selects it;
  // -1 when the catalog does not number its stars so or lacks it.
  int currentStarOfHipparcos(int32_t hipparcos) const;
  int currentIdentifierKind() const;
  const std::string& currentDisplayName() const;
  int currentSlot() const { return currentSlot_; }
  // What a drawing of the star catalogs leaves for picking: the current
  // slot and the large catalogs' stars. A drawing for another output swaps
  // in its own and gives the screen's back by swapping again.
  struct StarDrawing {
    int slot = 0;
    StarBuffer stars;
  };
  void swapStarDrawing(StarDrawing& other) {
    std::swap(currentSlot_, other.slot);
    std::swap(starBuffer_, other.stars);
  }
  int slotsInUse() const { return slotsInUse_; }

  // The figures, the boundaries (also as regions) and the names in the
  // chart's languages.
  void loadConstellations();
  // The Milky Way's outline; without its file the chart shows none.
  MilkyWay::LoadResult loadMilkyWay();
  // The outline, read at the first use when no load was asked for before:
  // a chart without the Milky Way never reads it.
  const MilkyWay& milkyWay();
  // Each catalog is built by its file's type and kept whatever open answers
  // (a rejected file leaves an empty catalog); none for another file type.
  void loadDeepsky();
  void loadDoubleStars();
  void loadVariableStars();
  iDeepskyData* deepsky() const { return deepsky_.get(); }
  iStarDblData* doubleStars() const { return doubles_.get(); }
  iStarVarData* variableStars() const { return variables_.get(); }
  int openStarLabels();
  // The star identification database behind the star search; what its
  // open answers (star_id_database.h).
  int loadStarIds();
  // The database, opened at its first use: a chart that searches nothing
  // never reads it.
  StarIdDatabase& starIds();
  // The other names of objects, read at their first use; empty without the file.
  const CommonNames& commonNames();
  const SkyPolylines& constellationLines() const { return lines_; }
  const SkyPolylines& constellationBoundaries() const { return boundaries_; }
  const ConstellationNames& constellationNames() const { return names_; }
  // Which constellation a point lies in, from the boundaries at the first
  // question: a chart asks none.
  const ConstellationRegions& constellationRegions();
  const StarLabels& starLabels() const { return labels_; }
  const std::string& dataDirectory() const { return directory_; }
  SolarSystem& solarSystem() { return solarSystem_; }
  const SolarSystem& solarSystem() const { return solarSystem_; }

  // The stars' proper motions, and which marks move with the fast stars;
  // without motions the stars keep their J2000 places, and without links
  // the marks keep theirs.
  void setProperMotions(ProperMotions motions, const MarkLinks& links = {});
  // Moves the stars of every catalog to a Julian date when it lies more
  // than the motions' step from the one they stand at.
  void setStarEpoch(double julianDate);
  // A star's place at the stars' epoch from its J2000 place.
  EquatorialPosition starPlace(int32_t hipparcos, double raRad, double decRad) const {
    return motions_.placeAt(hipparcos, raRad, decRad, starEpoch_);
  }

 private:
  std::string directory_;
  StarBuffer starBuffer_;  // the stars of a large catalog's drawing
  std::array<StarCatalogSlot, kStarSlots> slots_;
  int slotsInUse_ = 0;
  int currentSlot_ = 0;
  SkyPolylines lines_, boundaries_;
  MilkyWay milkyWay_;
  bool milkyWayRead_ = false;
  ConstellationNames names_;
  std::optional<ConstellationRegions> regions_;
  StarLabels labels_;
  SolarSystem solarSystem_;
  std::unique_ptr<iDeepskyData> deepsky_;
  std::unique_ptr<iStarDblData> doubles_;
  std::unique_ptr<iStarVarData> variables_;
  StarIdDatabase starIds_;
  std::optional<CommonNames> commonNames_;
  bool starIdsOpened_ = false;

  ProperMotions motions_;
  double starEpoch_ = 2451545.0;  // J2000, where the files place the stars
  std::array<MarkMotions, MarkLinks::kKindCount> markMotions_;
};

}  // namespace celvaro
