#include "aids/route_text.h"

#include <cmath>
#include <numbers>

#include "astro/coordinates.h"
#include "astro/text_forms.h"
#include "catalog/greek_letters.h"
#include "catalog/star_labels.h"

namespace celvaro {
namespace {

// A route's stars are the label file's stars; the slack covers the proper
// motion the chart's epoch gives the labels.
constexpr double kSameStarArcmin = 3;
constexpr const char* kArrow = " → ";

std::string labelText(const StarLabels& labels, size_t index) {
  const StarLabelRecord& r = labels.record(index);
  const char* name = labels.name(index);
  if (name && *name) return name;
  return starNameAndDesignation("", r.greekLetter >= 0 ? -1 : r.flamsteed, r.greekLetter, r.superscript,
                                r.constellation);
}

// "2.5° S": the step's length to a tenth of a degree and its compass point.
std::string stepText(const StarHopPoint& from, const StarHopPoint& to, const RouteWords& words) {
  const Separation step = separationAndAngle(from.raRad, from.decRad, to.raRad, to.decRad, true);
  return showFixed(static_cast<int>(std::lround(step.arcmin / 6)), 1) + "° " +
         words.compass[compassPoint(step.positionAngleDeg)];
}

}  // namespace

int compassPoint(double positionAngleDeg) {
  const int point = static_cast<int>(std::floor(positionAngleDeg / 45 + 0.5));
  return ((point % 8) + 8) % 8;
}

std::string starLabelAt(const StarLabels& labels, double raRad, double decRad) {
  const double slackRad = kSameStarArcmin / 60 * std::numbers::pi / 180;
  double nearest = kSameStarArcmin;
  size_t found = labels.size();
  for (size_t i = 0; i < labels.size(); ++i) {
    const StarLabelRecord& r = labels.record(i);
    if (std::abs(r.decRad - decRad) > slackRad) continue;
    const double arcmin = separationAndAngle(raRad, decRad, r.raRad, r.decRad, false).arcmin;
    if (arcmin <= nearest) nearest = arcmin, found = i;
  }
  return found < labels.size() ? labelText(labels, found) : "";
}

std::string routeText(const std::vector<StarHopPoint>& points, const std::string& objectName,
                      const RouteStarNamer& starName, const RouteWords& words) {
  if (points.size() < 2) return "";
  std::string text;
  for (size_t i = 0; i + 1 < points.size(); ++i) {
    const std::string name = starName(points[i]);
    text += (name.empty() ? words.star : name) + kArrow + stepText(points[i], points[i + 1], words) + kArrow;
  }
  return text + objectName;
}

}  // namespace celvaro
