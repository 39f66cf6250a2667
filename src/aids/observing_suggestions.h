// Choosing the observing suggestions: the sky-guide entries up to a
// difficulty that stand within 70 degrees of a point 7 degrees south of
// the zenith at an instant and a place.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "aids/star_hop_guides.h"
#include "astro/chart_date.h"
#include "astro/observing_place.h"
#include "catalog/star_data.h"

namespace celvaro {

class SkyCatalogs;

constexpr double kSuggestionReachArcmin = 4200;
constexpr double kSuggestionSouthOfZenithDeg = 7;

// Where an entry's object is; none when its catalog does not hold it.
using SuggestionLocator = std::function<std::optional<StarPosition>(const SkyGuideEntry&)>;

// Double stars through the double-star catalog's designation search, deep-
// sky objects through the deep-sky catalog's identifiers; entries of other
// types, or whose catalog is missing, are not located.
SuggestionLocator catalogLocator(const SkyCatalogs& catalogs);

// Replaces the guides' selection with the entries of at most
// `maxDifficulty` located within reach, in file order.
void selectSuggestions(StarHopGuides& guides, const SuggestionLocator& locate, const ObservingPlace& place,
                       const ChartDate& universal, int maxDifficulty);

// The language text of a suggestion's type (types above 3 count as 3).
int suggestionTypeTextId(int type);
// "*" to "****" for difficulty 0 to 3 (above 3 counts as 3).
std::string difficultyStars(int difficulty);

}  // namespace celvaro
