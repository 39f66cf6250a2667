#include "catalog/star_data_simple.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "catalog/proper_motions.h"
#include "catalog/star_disc_pen.h"
#include "output/rendering_output.h"
#include "platform/binary_file.h"
#include "platform/data_paths.h"
#include "platform/mapped_file.h"
#include "projection/transformer.h"

namespace celvaro {
namespace {

constexpr size_t kHeaderBytes = 20;
constexpr size_t kZoneBytes = 12;
constexpr size_t kStarBytes = 4 + 2 + 8 + 8 + 1;
constexpr double kJ2000 = 2451545.0;  // the epoch of the file's places
constexpr double kDaysPerYear = 365.25;

}  // namespace

StarDataSimple::StarDataSimple()
    : workX_(kBatch), workY_(kBatch), workDepth_(kBatch) {}

void StarDataSimple::clear() {
  zoneCount_ = 0;
  zones_.fill(Zone{});
  for (auto* column : {&ra_, &dec_, &ux_, &uy_, &uz_}) column->clear();
  motions_ = nullptr;
  hip_.clear();
  magnitude_.clear();
  colour_.clear();
}

int StarDataSimple::open(const std::string& relativePath) {
  clear();
  const std::string path = resolveDataPath(directory_, relativePath);
  const MappedFile file(path);
  if (!file.isOpen()) return 4;
  // A file whose header, zones or columns do not hold up loads as an empty
  // catalog: nothing is ever read past its end or trusted beyond its size.
  if (!readBody(file.bytes())) clear();
  return 0;
}

bool StarDataSimple::readBody(std::span<const uint8_t> file) {
  const uint8_t* header = file.data();
  if (file.size() < kHeaderBytes || std::memcmp(header, "CLV_STD1", 8) != 0 ||
      static_cast<int32_t>(loadU32(header + 8)) != 1) {
    return false;
  }
  const int32_t zones = static_cast<int32_t>(loadU32(header + 12));
  const int32_t stars = static_cast<int32_t>(loadU32(header + 16));
  if (zones < 1 || zones > kMaxZones || stars < 1 || stars > kMaxStars) return false;
  if (file.size() - kHeaderBytes < static_cast<size_t>(zones) * kZoneBytes + static_cast<size_t>(stars) * kStarBytes) {
    return false;
  }
  const uint8_t* bytes = header + kHeaderBytes;
  for (int z = 0; z < zones; ++z) {
    const uint8_t* entry = bytes + z * kZoneBytes;
    Zone zone{static_cast<int32_t>(loadU32(entry)), static_cast<int32_t>(loadU32(entry + 4)),
              static_cast<int32_t>(loadU32(entry + 8))};
    if (zone.first < 0 || zone.count < 0 || zone.first > stars - zone.count) return false;
    zones_[z] = zone;
  }
  zoneCount_ = zones;
  const size_t n = static_cast<size_t>(stars);
  const uint8_t* column = bytes + zones * kZoneBytes;
  loadColumn(column, n, hip_);
  loadColumn(column + 4 * n, n, magnitude_);
  loadColumn(column + 6 * n, n, ra_);
  loadColumn(column + 14 * n, n, dec_);
  loadColumn(column + 22 * n, n, colour_);
  return true;
}

// Stars run from the brightest zone down and a chart draws them to its
// limit, so each star's unit vector is worked out the first time a drawing
// reaches it: a chart to magnitude 8 never pays for the fainter ones.
void StarDataSimple::prepareVectors(size_t end) {
  // Room for every star at once: growing step by step copies what is there.
  if (ux_.capacity() < end) ux_.reserve(ra_.size()), uy_.reserve(ra_.size()), uz_.reserve(ra_.size());
  constexpr size_t kPrefetchAhead = 16;
  for (size_t i = ux_.size(); i < end; ++i) {
    if (motions_ && i + kPrefetchAhead < end) motions_->prefetch(hip_[i + kPrefetchAhead]);
    const UnitVector u = unitVector(ra_[i], dec_[i]);
    Vector3 at = {u.x, u.y, u.z};
    if (motions_) {
      const Vector3 yearly = motions_->yearlyMotion(hip_[i], at);
      if (yearly.x != 0 || yearly.y != 0 || yearly.z != 0) at = ProperMotions::movedAlong(at, yearly, years_);
    }
    ux_.push_back(at.x), uy_.push_back(at.y), uz_.push_back(at.z);
  }
}

void StarDataSimple::project(iTransformer& transformer, int first, int n) {
  prepareVectors(static_cast<size_t>(first) + static_cast<size_t>(n));
  transformer.projectManyVectors(ux_.data(), uy_.data(), uz_.data(), first, n, workX_.data(),
                                 workY_.data(), workDepth_.data());
}

void StarDataSimple::draw(RenderingOutput& output, iTransformer& transformer, const ChartSettings& settings,
                          const OutputArea&, int32_t limitHundredths, bool recordIndices) {
  if (output.drawsStarsByClass()) {
    drawByClass(output, transformer, limitHundredths);
  } else {
    drawRaster(output, transformer, settings, limitHundredths, recordIndices);
  }
}

// Vector outputs get the magnitude class in place of the diameter.
void StarDataSimple::drawByClass(RenderingOutput& output, iTransformer& transformer, int32_t limitHundredths) {
  const double visible = transformer.visibilityLimit();
  for (int z = 0; z <= kMaxZones; ++z) {
    const Zone& zone = zones_[z];
    if (zone.magnitude > limitHundredths || zone.magnitude == -1) break;
    const int magClass = magnitudeClass(zone.magnitude);
    for (int first = zone.first, left = zone.count; left > 0;) {
      const int n = std::min(left, kBatch);
      project(transformer, first, n);
      for (int i = 0; i < n; ++i) {
        if (workDepth_[i] > visible) output.drawStar(workX_[i], workY_[i], magClass, 0);
      }
      first += n, left -= n;
    }
  }
}

void StarDataSimple::drawRaster(RenderingOutput& output, iTransformer& transformer,
                                const ChartSettings& settings, int32_t limitHundredths, bool recordIndices) {
  const double visible = transformer.visibilityLimit();
  StarDiscPen pen(output, settings, recordIndices);
  for (int z = 0; z < zoneCount_; ++z) {
    const Zone& zone = zones_[z];
    if (zone.magnitude > limitHundredths || zone.magnitude == -1) break;
    pen.setMagnitude(zone.magnitude);
    for (int first = zone.first, left = zone.count; left > 0;) {
      const int n = std::min(left, kBatch);
      project(transformer, first, n);
      for (int i = 0; i < n; ++i) {
        if (workDepth_[i] > visible) pen.draw(first + i, workX_[i], workY_[i], colour_[first + i]);
      }
      first += n, left -= n;
    }
  }
}

// The stars move as the drawings reach them: a chart to the 6th magnitude
// moves a few thousand of them, each along its yearly motion, kept for the
// next epoch.
void StarDataSimple::moveStars(const ProperMotions& motions, double julianDate) {
  motions_ = &motions;
  epoch_ = julianDate;
  years_ = (julianDate - kJ2000) / kDaysPerYear;
  ux_.clear(), uy_.clear(), uz_.clear();
}

void StarDataSimple::prepareStars(int32_t limitHundredths) {
  size_t end = 0;
  for (int z = 0; z < zoneCount_; ++z) {
    const Zone& zone = zones_[z];
    if (zone.magnitude > limitHundredths || zone.magnitude == -1) break;
    end = std::max(end, static_cast<size_t>(zone.first) + static_cast<size_t>(zone.count));
  }
  prepareVectors(end);
}

bool StarDataSimple::getPosition(int index, StarPosition& out) const {
  if (index < 0 || index >= starCount()) return false;
  const EquatorialPosition at =
      motions_ ? motions_->placeAt(hip_[index], ra_[index], dec_[index], epoch_) : EquatorialPosition{ra_[index], dec_[index]};
  out = {index, at.raRad, at.decRad};
  return true;
}

bool StarDataSimple::getDesignation(int index, std::string& out) const {
  if (index < 0 || index >= starCount()) return false;
  out += "HIP " + std::to_string(hip_[index]) + " [" + std::to_string(magnitude_[index]) + "]";
  return true;
}

bool StarDataSimple::getCatalogNumbers(int index, int& kind, int32_t& n1, int32_t& n2, int32_t& n3,
                                       int32_t& n4) const {
  kind = kIdentifierHipparcos;
  if (index < 0 || index >= starCount()) return false;
  n1 = hip_[index];
  n2 = n3 = n4 = 0;
  return true;
}

}  // namespace celvaro
