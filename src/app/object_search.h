// Centring the chart on what a search found: the kinds of object the
// searches look for, the field each is shown in, and the texts a failed
// search is reported with.
#pragma once

namespace celvaro {

enum class SearchKind : int {
  kConstellation,
  kStar,
  kVariableStar,
  kDoubleStar,
  kSolarSystemBody,
  kComet,
  kMinorPlanet,
  kDeepsky,
  kPosition,  // typed coordinates
};

// What centring on a search's result ends in.
enum SearchOutcome : int { kSearchNotFound = 1, kSearchBelowHorizon = 2, kSearchCentred = 3 };

// A message of a failed search: a language text and the text shown when the
// language has none. Text id 0: the failure cannot happen, nothing is shown.
struct SearchMessage {
  int textId;
  const char* builtIn;
};

struct SearchKindRule {
  int minFieldArcmin;  // the field is widened to this
  int maxFieldArcmin;  // and narrowed to this when centred on a find
  SearchMessage notFound;
  SearchMessage belowHorizon;
};

const SearchKindRule& searchRule(SearchKind kind);

}  // namespace celvaro
