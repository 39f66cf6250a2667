// A finder chart: one printed page for an object. A wide chart of about
// twenty degrees shows the way from a bright star along its star-hop route,
// a close chart of about the eyepiece's or camera's field shows the object
// itself; the route's hops are written in words over the wide chart, the
// object's information over the close one.
#pragma once

#include <string>
#include <vector>

#include "app/object_finder.h"
#include "render/chart_export.h"

namespace celvaro {

class AppModel;
class SkyPolylines;
class StarHopGuides;
struct FovOverlay;

struct FinderFields {
  static constexpr int kWideArcmin = 1200;
  static constexpr int kCloseArcmin = 120;  // without a field-of-view overlay
};

// The close chart's field: twice the widest frame of the overlay when it is
// shown, else two degrees; never wider than the wide chart.
int closeFieldArcmin(const FovOverlay& overlay);

// The route whose last point lies within an arcminute of the place; -1
// when none does.
int routeEndingAt(const StarHopGuides& routes, double raRad, double decRad);

// The finder chart's two charts, the wide one above, for the object the
// model's chart is centred on, the overlay's frames on the object; the
// route is drawn from `routeLine`, which must outlive the export. None when
// the page leaves no room for them.
std::vector<ChartExport> finderChartParts(AppModel& model, const FoundObject& found, const PrintableMap& map,
                                          SkyPolylines& routeLine);

// Writes the finder chart of the object the model's chart is centred on.
// False when the page leaves no room for the charts or the file could not
// be written whole.
bool exportFinderChart(AppModel& model, const FoundObject& found, const PrintableMap& map);

}  // namespace celvaro
