#include "constellation_files_builder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "platform/file_replace.h"
#include "star_files_builder.h"

namespace celvaro {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;

double wrapDegrees(double d) { return d - 360 * std::floor((d + 180) / 360); }

void addPoint(std::vector<PolylinePoint>& points, uint8_t pen, double raDeg, double decDeg) {
  double ra = std::fmod(raDeg, 360);
  if (ra < 0) ra += 360;
  points.push_back({pen, ra * kRadPerDeg, decDeg * kRadPerDeg});
}

}  // namespace

std::vector<PolylinePoint> polylinePoints(const std::vector<SourcePolyline>& polylines, bool closed,
                                          double maxStepDeg) {
  std::vector<PolylinePoint> points;
  for (const SourcePolyline& line : polylines) {
    std::vector<std::pair<double, double>> corners = line.points;
    if (corners.empty()) continue;
    if (closed && corners.front() != corners.back()) corners.push_back(corners.front());
    addPoint(points, 0, corners[0].first, corners[0].second);
    for (size_t i = 1; i < corners.size(); ++i) {
      const double dRa = wrapDegrees(corners[i].first - corners[i - 1].first);
      const double dDec = corners[i].second - corners[i - 1].second;
      const int steps = closed ? std::max(1, static_cast<int>(std::ceil(std::max(std::fabs(dRa), std::fabs(dDec)) / maxStepDeg))) : 1;
      for (int k = 1; k <= steps; ++k) {
        const double t = static_cast<double>(k) / steps;
        addPoint(points, 1, corners[i - 1].first + t * dRa, corners[i - 1].second + t * dDec);
      }
    }
  }
  return points;
}

bool buildConstellationFiles(const std::string& d3Data, const std::string& dataDirectory) {
  std::vector<SourcePolyline> figures, boundaries;
  if (!readD3Polylines(d3Data + "/constellations.lines.json", figures) ||
      !readD3Polylines(d3Data + "/constellations.bounds.json", boundaries)) {
    return false;
  }
  // Ring n of the boundary file is constellation n of the fixed list.
  auto number = [](const SourcePolyline& ring) {
    return ring.points.empty() ? -1 : constellationNumberOf(ring.constellation, ring.points.front().first);
  };
  std::stable_sort(boundaries.begin(), boundaries.end(),
                   [&number](const SourcePolyline& a, const SourcePolyline& b) { return number(a) < number(b); });
  std::printf("  %zu figure lines, %zu boundary rings\n", figures.size(), boundaries.size());
  const bool written =
      replaceFileContents(dataDirectory + "/constlines.dat", polylineBytes(polylinePoints(figures, false, 0))) &&
      replaceFileContents(dataDirectory + "/constboundaries.dat", polylineBytes(polylinePoints(boundaries, true, 1.0)));
  if (!written) std::fprintf(stderr, "cannot write the constellation files in %s\n", dataDirectory.c_str());
  return written;
}

}  // namespace celvaro
