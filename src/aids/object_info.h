// What the object-information window shows of the selected object: its
// position, its rise, transit and set, its description, its properties from
// the catalogs' information records, and its photograph.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "astro/local_sky.h"
#include "astro/observing_place.h"

namespace celvaro {

class iLanguageTexts;
class SkyCatalogs;
class StarHopGuides;
class StarInfoFile;
struct PickResult;
struct StarIdRecord;

// What the information on an object is gathered from: the texts of the
// current language, the chart's instant, the observer's place and the sky
// seen there, the catalogs (none before they are loaded), the stars' facts,
// the star-hop routes, and the program directory that holds the photographs.
struct ObjectInfoInputs {
  iLanguageTexts& texts;
  double julianDateUt;
  ObservingPlace place;
  LocalSky sky;
  SkyCatalogs* catalogs;
  const StarInfoFile& starInfo;
  const StarHopGuides& starHops;
  std::string programDir;
};

struct ObjectProperty {
  std::string caption;
  std::string value;
  bool operator==(const ObjectProperty&) const = default;
};

struct ObjectInformation {
  std::string rightAscension;  // "hh:mm:ss", J2000
  std::string declination;     // "dd:mm:ss", J2000
  // The apparent place of the chart's instant, what setting circles and
  // almanacs give.
  std::string rightAscensionOfDate;
  std::string declinationOfDate;
  // Where the observer sees it at the chart's instant: the apparent
  // altitude (refracted when the chart shows refraction) and the azimuth
  // from the north through the east, "dd:mm:ss".
  std::string altitude;
  std::string azimuth;
  // Rise, transit and set of the night (or the day) of the chart's instant
  // as "yyyy-mm-dd hh:mm:ss"; in words where the object is always up or
  // never rises, " - " where the event falls outside that night.
  std::array<std::string, 3> localTimes;
  std::array<std::string, 3> universalTimes;
  // The altitude at transit, then that night's twilight and dark sky.
  std::vector<ObjectProperty> nightLines;
  std::string description;     // lines separated by "\n"
  std::vector<ObjectProperty> properties;
  std::optional<std::string> photoPath;  // relative to the program directory
};

// The information on a picked object at the pick's J2000 place, in the
// current language: the description starts with `designation`, and with the
// catalogs loaded the facts of the object's records follow. A star's facts
// include those of the double-star system and the variable star it is the
// primary of.
ObjectInformation objectInformation(const ObjectInfoInputs& inputs, const PickResult& pick,
                                    const std::string& designation);
// The information on a star of the identification database at the pick's
// place: its identifications and facts.
ObjectInformation objectInformation(const ObjectInfoInputs& inputs, const PickResult& pick, const StarIdRecord& star);

// The window's text as captions and values in the current language: the
// position; rise, transit and set in local and in universal time; the
// description, its lines joined by "; "; then the property list.
std::vector<ObjectProperty> informationLines(const ObjectInformation& info, iLanguageTexts& texts);
// The night of an instant at a place: its civil, nautical and astronomical
// twilight and its dark sky, each "hh:mm:ss - hh:mm:ss" in local time
// (" - " where the Sun does not go that low), captioned in the current
// language.
std::vector<ObjectProperty> twilightLines(double julianDateUt, const ObservingPlace& place, iLanguageTexts& texts);

// The text of star-hop route `route` in the current language, "η Her →
// 2.5° S → M 13", its stars named as the chart's labels name them; empty
// for a route outside the list.
std::string starHopRouteText(const ObjectInfoInputs& inputs, int route);

// The place of the date, the altitude and the azimuth, captioned in the
// current language, then the night's lines.
std::vector<ObjectProperty> horizontalLines(const ObjectInformation& info, iLanguageTexts& texts);

}  // namespace celvaro
