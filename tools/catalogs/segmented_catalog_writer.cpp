#include "segmented_catalog_writer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "catalog_writers.h"
#include "platform/binary_file.h"

namespace celvaro {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kBands = 18;  // of 10 degrees

int cellsInBand(int band) {
  const double middle = -kPi / 2 + (band + 0.5) * kPi / kBands;
  return std::max(1, static_cast<int>(std::lround(36 * std::cos(middle))));
}

int cellIndex(double value, double low, double high, int cells) {
  return std::clamp(static_cast<int>(std::floor((value - low) / (high - low) * cells)), 0, cells - 1);
}

}  // namespace

std::vector<StarSegment> segmentsByCells(const std::vector<SegmentedStar>& stars) {
  std::vector<StarSegment> segments;
  std::vector<size_t> firstOfBand;
  for (int band = 0; band < kBands; ++band) {
    firstOfBand.push_back(segments.size());
    const double dec1 = -kPi / 2 + band * kPi / kBands, dec2 = dec1 + kPi / kBands;
    const int cells = cellsInBand(band);
    for (int cell = 0; cell < cells; ++cell) {
      segments.push_back({cell * 2 * kPi / cells, (cell + 1) * 2 * kPi / cells, dec1, dec2, {}});
    }
  }
  for (const SegmentedStar& star : stars) {
    const int band = cellIndex(star.decRad, -kPi / 2, kPi / 2, kBands);
    const double ra = std::fmod(std::fmod(star.raRad, 2 * kPi) + 2 * kPi, 2 * kPi);
    segments[firstOfBand[band] + cellIndex(ra, 0, 2 * kPi, cellsInBand(band))].stars.push_back(star);
  }
  for (StarSegment& segment : segments) {
    std::stable_sort(segment.stars.begin(), segment.stars.end(),
                     [](const SegmentedStar& a, const SegmentedStar& b) { return a.magnitude < b.magnitude; });
  }
  return segments;
}

std::string segmentedHeaderText(size_t segmentCount, bool hipparcos) {
  return "# Celvaro segmented star catalog\ntype = s2\nsegments = " + std::to_string(segmentCount) + "\n" +
         (hipparcos ? "identifiers = hipparcos\n" : "");
}

std::string segmentIndexBytes(const std::vector<StarSegment>& segments) {
  std::string out;
  for (double StarSegment::*bound : {&StarSegment::ra1, &StarSegment::ra2, &StarSegment::dec1, &StarSegment::dec2}) {
    for (const StarSegment& segment : segments) appendDouble(out, segment.*bound);
  }
  return out;
}

std::string segmentBytes(const std::vector<SegmentedStar>& stars) {
  std::string out;
  for (const SegmentedStar& s : stars) appendU32(out, s.identifier);
  for (const SegmentedStar& s : stars) appendU16(out, static_cast<uint16_t>(s.magnitude));
  for (const SegmentedStar& s : stars) appendDouble(out, s.raRad);
  for (const SegmentedStar& s : stars) appendDouble(out, s.decRad);
  for (const SegmentedStar& s : stars) out += static_cast<char>(s.colourClass);
  return out;
}

}  // namespace celvaro
