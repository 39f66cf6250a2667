// A printed atlas in one PDF: of the whole sky or of one constellation, a
// key page (the sky with each page's number at the page's centre), the
// pages' charts (each names the pages beyond its edges) and an index of the
// named objects with their pages; or, for a list of objects, one finder
// chart for each: the observing night's handout.
#pragma once

#include <string>
#include <vector>

#include "render/chart_export.h"

namespace celvaro {

class AppModel;

struct AtlasOptions {
  static constexpr int kMaxFieldArcmin = 10800;
  static constexpr int kDefaultFieldArcmin = 1800;
  static constexpr int kDefaultStarLimit = 650;
  int fieldArcmin = kDefaultFieldArcmin;  // across the smaller side of a page's chart
  int starLimitHundredths = kDefaultStarLimit;
};

struct AtlasResult {
  bool written = false;
  int pages = 0;
  std::string error;  // what went wrong, when nothing was written
};

// The atlas of `subject`: "sky" (any case), a list file (one object a
// line, as the search takes it; blank lines and lines from "#" skipped) or
// a constellation. The charts are drawn at the model's time and place in
// its projection, equatorial and north up; the model's chart is as it was
// afterwards.
AtlasResult exportAtlas(AppModel& model, const std::string& subject, const AtlasOptions& options,
                        const PrintableMap& map);

// An object of a list of finder charts: the text the search takes and
// where it was written ("line 3: ", or nothing), which a failure names.
struct ListedObject {
  std::string where;
  std::string text;
};

// One finder chart a page for each object, in that order, in the map's
// file; nothing is written when an object is not found, is below the
// horizon or the page leaves no room. The model's chart is as it was
// afterwards.
AtlasResult exportFinderCharts(AppModel& model, const std::vector<ListedObject>& objects, const PrintableMap& map);

}  // namespace celvaro
