#include "catalog/star_data_segmented.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <numbers>

#include "catalog/catalog_header.h"
#include "catalog/proper_motions.h"
#include "catalog/star_id_format.h"
#include "platform/binary_file.h"
#include "platform/data_paths.h"
#include "platform/number_text.h"
#include "projection/transformer.h"

namespace celvaro {
namespace {

// The path without the extension of its file name.
std::string withoutExtension(const std::string& path) {
  const size_t dot = path.rfind('.');
  const size_t slash = path.rfind('/');
  return dot == std::string::npos || (slash != std::string::npos && dot < slash) ? path : path.substr(0, dot);
}

constexpr double kTenthsOfSecondPerRad = 24 * 36000 / (2 * std::numbers::pi);
constexpr double kArcsecPerRad = 180 * 3600 / std::numbers::pi;

// "J183656.3+384701": the position truncated to a tenth of a second of
// right ascension and a second of declination.
std::string positionDesignation(double raRad, double decRad) {
  const double turn = 2 * std::numbers::pi, raTurn = std::fmod(std::fmod(raRad, turn) + turn, turn);
  // A millionth of the last digit keeps 24.0 seconds from reading 23.9.
  const auto ra = static_cast<int64_t>(std::floor(raTurn * kTenthsOfSecondPerRad + 1e-6)) % (24 * 36000);
  const auto dec = static_cast<int64_t>(std::floor(std::abs(decRad) * kArcsecPerRad + 1e-6));
  char text[24];
  std::snprintf(text, sizeof text, "J%02d%02d%02d.%d%c%02d%02d%02d", static_cast<int>(ra / 36000),
                static_cast<int>(ra / 600 % 60), static_cast<int>(ra / 10 % 60), static_cast<int>(ra % 10),
                decRad < 0 ? '-' : '+', static_cast<int>(dec / 3600), static_cast<int>(dec / 60 % 60),
                static_cast<int>(dec % 60));
  return text;
}

}  // namespace

bool StarDataSegmented::parsePositionDesignation(std::string_view text, double& raRad, double& decRad) {
  constexpr std::string_view kForm = "J000000.0+000000";
  if (text.size() != kForm.size() || (text[0] != 'J' && text[0] != 'j') || text[7] != '.' ||
      (text[9] != '+' && text[9] != '-')) {
    return false;
  }
  int digits[13], count = 0;
  for (size_t at = 1; at < text.size(); ++at) {
    if (at == 7 || at == 9) continue;
    if (text[at] < '0' || text[at] > '9') return false;
    digits[count++] = text[at] - '0';
  }
  auto pair = [&](int first) { return digits[first] * 10 + digits[first + 1]; };
  const int hours = pair(0), minutes = pair(2), seconds = pair(4), degrees = pair(7), arcmin = pair(9),
            arcsec = pair(11);
  if (hours > 23 || minutes > 59 || seconds > 59 || degrees > 90 || arcmin > 59 || arcsec > 59) return false;
  // The middle of what the truncated digits cover.
  const double tenths = ((hours * 60 + minutes) * 60 + seconds) * 10 + digits[6] + 0.5;
  const double arcseconds = (degrees * 60 + arcmin) * 60 + arcsec + 0.5;
  raRad = tenths / kTenthsOfSecondPerRad;
  decRad = (text[9] == '-' ? -1 : 1) * std::min(arcseconds, 90.0 * 3600) / kArcsecPerRad;
  return true;
}

std::string StarDataSegmented::segmentPath(const std::string& base, int segment) {
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, "_%04d.dat", segment);
  return base + suffix;
}

int StarDataSegmented::open(const std::string& relativePath) {
  base_ = withoutExtension(resolveDataPath(directory_, relativePath));
  segments_.clear();
  bounds_.clear();
  std::map<std::string, std::string> keys;
  if (!readCatalogHeader(base_ + ".hdr", keys)) return 4;
  const int count = std::clamp(leadingInt(keys["segments"]), 0, kMaxSegments);
  hipparcos_ = keys["identifiers"] == "hipparcos";
  segments_.resize(static_cast<size_t>(count));
  bounds_.resize(static_cast<size_t>(count));
  readIndex(base_ + "_idx.dat");
  return 0;
}

// Bounds only from an index that holds all four arrays, each segment's only
// when they are a box on the sky.
void StarDataSegmented::readIndex(const std::string& path) {
  const size_t n = segments_.size();
  BinaryFile file(path);
  std::vector<uint8_t> bytes;
  if (!file.readInto(bytes, 4 * n * sizeof(double))) return;
  std::vector<double> values;
  loadColumn(bytes.data(), 4 * n, values);
  for (size_t i = 0; i < n; ++i) {
    SkyRegion read = bounds_[i];
    read.ra1 = values[i], read.ra2 = values[n + i];
    read.dec1 = values[2 * n + i], read.dec2 = values[3 * n + i];
    if (regionBoundsSound(read)) bounds_[i] = read;
  }
}

void StarDataSegmented::draw(RenderingOutput& output, iTransformer& transformer, const ChartSettings& settings,
                             const OutputArea& area, int32_t limitHundredths, bool) {
  buffer_.reset();
  markVisible(area, transformer);
  loadAndUnload();
  Collector stars = collector(output, transformer, limitHundredths);
  for (const Segment& segment : segments_) {
    if ((segment.state & (kVisible | kLoaded)) == (kVisible | kLoaded)) collect(stars, transformer, segment);
  }
  drawBuffer(output, settings);
}

void StarDataSegmented::markVisible(const OutputArea& area, iTransformer& transformer) {
  const std::vector<bool> visible = visibleRegions(bounds_, area, transformer);
  for (size_t i = 0; i < segments_.size(); ++i) {
    Segment& segment = segments_[i];
    if (segment.age > 0) --segment.age;
    segment.state &= ~kVisible;
    if (visible[i]) {
      segment.state |= kVisible;
      segment.age = kKeptDrawings;
    }
  }
}

// Reads the visible segments not yet loaded and frees those whose age has
// run out.
void StarDataSegmented::loadAndUnload() {
  for (size_t i = 0; i < segments_.size(); ++i) {
    Segment& segment = segments_[i];
    if (segment.state == kVisible) load(segment, static_cast<int>(i));
    if (segment.age == 0 && segment.state != 0) segment = Segment{};
  }
}

// A missing or unreadable file gives an empty segment, loaded all the same.
void StarDataSegmented::load(Segment& segment, int number) {
  segment.state |= kLoaded;
  ++reads_;
  BinaryFile file(segmentPath(base_, number));
  std::vector<uint8_t> bytes;
  if (!readRecords(file, 0, std::numeric_limits<int64_t>::max(), kStarBytes, bytes)) return;
  const size_t n = bytes.size() / kStarBytes;
  loadColumn(bytes.data(), n, segment.identifier);
  loadColumn(bytes.data() + 4 * n, n, segment.magnitude);
  loadColumn(bytes.data() + 6 * n, n, segment.ra);
  loadColumn(bytes.data() + 14 * n, n, segment.dec);
  loadColumn(bytes.data() + 22 * n, n, segment.colour);
  move(segment);
}

void StarDataSegmented::moveStars(const ProperMotions& motions, double julianDate) {
  if (!hipparcos_) return;
  motions_ = &motions;
  epoch_ = julianDate;
  for (Segment& segment : segments_) segment = Segment{};
}

void StarDataSegmented::move(Segment& segment) const {
  if (!motions_) return;
  for (size_t i = 0; i < segment.ra.size(); ++i) {
    const EquatorialPosition p =
        motions_->placeAt(static_cast<int32_t>(segment.identifier[i]), segment.ra[i], segment.dec[i], epoch_);
    segment.ra[i] = p.raRad;
    segment.dec[i] = p.decRad;
  }
}

void StarDataSegmented::collect(Collector& stars, iTransformer& transformer, const Segment& segment) {
  const int n = static_cast<int>(segment.ra.size());
  if (static_cast<int>(workX_.size()) < n) workX_.resize(n), workY_.resize(n), workDepth_.resize(n);
  transformer.projectMany(segment.ra.data(), segment.dec.data(), 0, n, workX_.data(), workY_.data(),
                          workDepth_.data());
  for (int i = 0; i < n; ++i) {
    stars.offerProjected(workX_[i], workY_[i], workDepth_[i], segment.ra[i], segment.dec[i], segment.magnitude[i],
                         segment.identifier[i], segment.colour[i]);
  }
}

int StarDataSegmented::loadedCount() const {
  return static_cast<int>(
      std::count_if(segments_.begin(), segments_.end(), [](const Segment& s) { return s.state & kLoaded; }));
}

bool StarDataSegmented::getDesignation(int index, std::string& out) const {
  StarPosition at;
  if (!buffer_.position(index, at)) return false;
  const uint32_t identifier = buffer_.identifier(index);
  const int32_t tycho = static_cast<int32_t>(identifier);
  out += identifier == 0 ? positionDesignation(at.raRad, at.decRad)
         : hipparcos_    ? "HIP " + std::to_string(identifier)
                         : "Tycho " + std::to_string(starid::tychoFirst(tycho)) + "-" +
                            std::to_string(starid::tychoSecond(tycho)) + "-" + std::to_string(starid::tychoThird(tycho));
  out += " [" + std::to_string(buffer_.magnitude(index)) + "]";
  return true;
}

bool StarDataSegmented::getCatalogNumbers(int index, int& kind, int32_t& n1, int32_t& n2, int32_t& n3,
                                          int32_t& n4) const {
  kind = hipparcos_ ? kIdentifierHipparcos : kIdentifierTycho;
  if (!buffer_.contains(index) || buffer_.identifier(index) == 0) return false;
  const int32_t number = static_cast<int32_t>(buffer_.identifier(index));
  n1 = hipparcos_ ? number : starid::tychoFirst(number);
  n2 = hipparcos_ ? 0 : starid::tychoSecond(number);
  n3 = hipparcos_ ? 0 : starid::tychoThird(number);
  n4 = 0;
  return true;
}

}  // namespace celvaro
