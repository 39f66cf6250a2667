#include "aids/observing_suggestions.h"

#include <algorithm>
#include <numbers>

#include "astro/coordinates.h"
#include "astro/sidereal_time.h"
#include "catalog/sky_catalogs.h"
#include "model/text_ids.h"

namespace celvaro {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;
constexpr int kLastType = kSuggestDeepsky;

}  // namespace

SuggestionLocator catalogLocator(const SkyCatalogs& catalogs) {
  return [&catalogs](const SkyGuideEntry& entry) -> std::optional<StarPosition> {
    StarPosition at;
    if (entry.type == kSuggestDouble && catalogs.doubleStars() &&
        catalogs.doubleStars()->findByDesignation(entry.doubleStarKey, at) == kDoubleFound) {
      return at;
    }
    if (entry.type == kSuggestDeepsky && catalogs.deepsky() &&
        catalogs.deepsky()->findById(entry.deepskyCode, entry.deepskyNumber, at)) {
      return at;
    }
    return std::nullopt;
  };
}

void selectSuggestions(StarHopGuides& guides, const SuggestionLocator& locate, const ObservingPlace& place,
                       const ChartDate& universal, int maxDifficulty) {
  const ZenithPosition zenith = zenithPosition(universal, place.longitudeDeg, place.latitudeDeg);
  const double raRad = zenith.raDeg * kRadPerDeg;
  const double decRad = (zenith.decDeg - kSuggestionSouthOfZenithDeg) * kRadPerDeg;
  std::vector<int> chosen;
  for (int i = 0; i < guides.entryCount(); ++i) {
    const SkyGuideEntry entry = guides.entry(i);
    if (entry.difficulty > maxDifficulty) continue;
    const std::optional<StarPosition> at = locate(entry);
    if (at && separationAndAngle(raRad, decRad, at->raRad, at->decRad, false).arcmin < kSuggestionReachArcmin) {
      chosen.push_back(i);
    }
  }
  guides.setSelection(std::move(chosen));
}

int suggestionTypeTextId(int type) { return text_id::kSuggestionTypeFirst + std::clamp(type, 0, kLastType); }

std::string difficultyStars(int difficulty) { return std::string(std::clamp(difficulty, 0, 3) + 1, '*'); }

}  // namespace celvaro
