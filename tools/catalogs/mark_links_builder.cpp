#include "mark_links_builder.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <string_view>

#include "catalog/catalog_file_type.h"
#include "catalog/mark_links.h"
#include "catalog/sky_catalogs.h"
#include "catalog_writers.h"
#include "fast_stars.h"
#include "star_files_builder.h"

namespace celvaro {
namespace {

constexpr double kMasPerRad = 648000.0 * 1000.0 / std::numbers::pi;

// A data file's name within the data directory.
std::string fileNameOf(std::string_view programPath) { return std::string(programPath.substr(programPath.rfind('/') + 1)); }

// Links each of `count` marks whose J2000 place `placeOf` gives to its fast
// star, if it has one.
MarkKindEntry linkMarks(const FastStars& fast, int count, const std::function<EquatorialPosition(int)>& placeOf) {
  MarkKindEntry kind{static_cast<uint32_t>(count), {}};
  for (int i = 0; i < count; ++i) {
    const EquatorialPosition at = placeOf(i);
    if (const std::optional<FastStars::Star> star = fast.starOf(at.raRad, at.decRad)) {
      kind.links.push_back({static_cast<uint32_t>(i), star->hipparcos,
                            static_cast<int32_t>(std::lround(star->decRad * kMasPerRad))});
    }
  }
  return kind;
}

template <typename Catalog>
EquatorialPosition positionIn(const Catalog& catalog, int index) {
  StarPosition at;
  catalog.getPosition(index, at);
  return {at.raRad, at.decRad};
}

}  // namespace

bool buildMarkLinkFile(const std::string& data) {
  ProperMotions motions;
  StarLabels labels;
  auto doubles = doubleStarCatalogOfType(detectCatalogFileType(data + "/" + fileNameOf(SkyCatalogs::kDoubleStarsPath)));
  auto variables =
      variableStarCatalogOfType(detectCatalogFileType(data + "/" + fileNameOf(SkyCatalogs::kVariableStarsPath)));
  if (!motions.load(data + "/" + fileNameOf(ProperMotions::kPath)) ||
      labels.open(data + "/" + fileNameOf(SkyCatalogs::kStarLabelsPath)) != 0 || !doubles || !variables) {
    return false;
  }
  doubles->setDataDirectory(data);
  variables->setDataDirectory(data);
  if (doubles->open(fileNameOf(SkyCatalogs::kDoubleStarsPath)) != 0 ||
      variables->open(fileNameOf(SkyCatalogs::kVariableStarsPath)) != 0) {
    return false;
  }
  FastStars fast;
  fast.index(motions);
  std::vector<MarkKindEntry> kinds(MarkLinks::kKindCount);
  kinds[MarkLinks::kNames] = linkMarks(fast, static_cast<int>(labels.size()), [&](int i) {
    return EquatorialPosition{labels.record(i).raRad, labels.record(i).decRad};
  });
  kinds[MarkLinks::kDoubleStars] =
      linkMarks(fast, doubles->count(), [&](int i) { return positionIn(*doubles, i); });
  kinds[MarkLinks::kVariableStars] =
      linkMarks(fast, variables->count(), [&](int i) { return positionIn(*variables, i); });
  std::printf("  %zu fast stars; %zu names, %zu double and %zu variable stars move with them\n",
              motions.fastStarCount(), kinds[0].links.size(), kinds[1].links.size(), kinds[2].links.size());
  return writeFile(data + "/" + fileNameOf(MarkLinks::kPath), markLinkBytes(kinds));
}

}  // namespace celvaro
