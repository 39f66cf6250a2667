#include "deep_star_files_builder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>

#include "catalog/star_data_segmented.h"
#include "platform/binary_file.h"
#include "segmented_catalog_writer.h"
#include "sky_sources.h"
#include "star_files_builder.h"
#include "zoned_star_files.h"

namespace celvaro {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180;
constexpr const char* kBaseName = "stars_deep";
constexpr const char* kStarFiles[] = {"stars_0_0v0_8.cat", "stars_1_0v0_8.cat", "stars_2_0v0_8.cat",
                                      "stars_3_1v0_4.cat"};

SegmentedStar segmentedStarOf(const ZonedStar& star) {
  return {static_cast<uint32_t>(star.hip), static_cast<int16_t>(std::lround(star.magnitude * 100)),
          star.raDeg * kRadPerDeg, star.decDeg * kRadPerDeg, static_cast<uint8_t>(colourClassOfBv(star.bv))};
}

// How far the Hipparcos stars of the star files lie from the main
// catalog's positions: the decoding's check.
void reportPositionCheck(const std::vector<ZonedStar>& stars, const std::string& d3Data) {
  std::vector<SourceStar> hipparcos;
  if (!readD3Stars(d3Data + "/stars.14.json", hipparcos)) return;
  std::map<int32_t, const SourceStar*> byHip;
  for (const SourceStar& star : hipparcos) byHip[star.hip] = &star;
  size_t compared = 0, within = 0;
  for (const ZonedStar& star : stars) {
    auto it = byHip.find(star.hip);
    if (star.hip == 0 || it == byHip.end()) continue;
    const double dRa = std::remainder(star.raDeg - it->second->raDeg, 360) * std::cos(star.decDeg * kRadPerDeg);
    ++compared;
    within += std::hypot(dRa, star.decDeg - it->second->decDeg) < 1.0 / 60;
  }
  std::printf("  %zu of %zu Hipparcos stars within 1 arcminute of the main catalog's positions\n", within, compared);
}

bool writeFiles(const std::string& base, const std::vector<StarSegment>& segments) {
  if (!writeFile(base + ".hdr", segmentedHeaderText(segments.size(), true)) ||
      !writeFile(base + "_idx.dat", segmentIndexBytes(segments))) {
    return false;
  }
  for (size_t i = 0; i < segments.size(); ++i) {
    if (!writeFile(StarDataSegmented::segmentPath(base, static_cast<int>(i)), segmentBytes(segments[i].stars))) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool buildDeepStarFiles(const DeepStarSourcePaths& sources, const std::string& dataDirectory) {
  std::vector<std::string> paths;
  for (const char* name : kStarFiles) paths.push_back(sources.stellarium + "/" + name);
  std::vector<ZonedStar> stars;
  if (!readZonedStars(paths, stars)) return false;
  reportPositionCheck(stars, sources.d3Data);
  std::vector<SegmentedStar> segmented;
  segmented.reserve(stars.size());
  for (const ZonedStar& star : stars) segmented.push_back(segmentedStarOf(star));
  const std::vector<StarSegment> segments = segmentsByCells(segmented);
  const auto largest = std::max_element(segments.begin(), segments.end(), [](const StarSegment& a, const StarSegment& b) {
    return a.stars.size() < b.stars.size();
  });
  const auto numbered = std::count_if(stars.begin(), stars.end(), [](const ZonedStar& s) { return s.hip > 0; });
  std::printf("  %zu stars in %zu segments, the largest %zu stars; %td with a Hipparcos number\n", segmented.size(),
              segments.size(), largest->stars.size(), numbered);
  return writeFiles(dataDirectory + "/" + kBaseName, segments);
}

bool verifyDeepStars(const std::string& dataDirectory) {
  StarBuffer buffer;
  StarDataSegmented catalog(buffer);
  catalog.setDataDirectory(dataDirectory);
  if (catalog.open(std::string(kBaseName) + ".hdr") != 0) return false;
  int64_t stars = 0;
  for (int i = 0; i < catalog.segmentCount(); ++i) {
    stars += BinaryFile(StarDataSegmented::segmentPath(dataDirectory + "/" + kBaseName, i)).size() /
             StarDataSegmented::kStarBytes;
  }
  std::printf("  %s: %d segments, %lld stars\n", kBaseName, catalog.segmentCount(), static_cast<long long>(stars));
  return catalog.segmentCount() >= 100 && stars >= 300000;
}

}  // namespace celvaro
