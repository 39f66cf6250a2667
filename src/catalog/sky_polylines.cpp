#include "catalog/sky_polylines.h"

#include <cstring>

#include "astro/apparent_place.h"
#include "platform/mapped_file.h"
#include "projection/transformer.h"

namespace celvaro {

void SkyPolylines::clear() { ra_.clear(), dec_.clear(), pen_.clear(), ux_.clear(), uy_.clear(), uz_.clear(); }

void SkyPolylines::add(uint8_t pen, double raRad, double decRad) {
  pen_.push_back(pen);
  ra_.push_back(raRad);
  dec_.push_back(decRad);
  addVector(raRad, decRad);
}

void SkyPolylines::addVector(double raRad, double decRad) {
  const Vector3 u = unitVectorOf(raRad, decRad);
  ux_.push_back(u.x), uy_.push_back(u.y), uz_.push_back(u.z);
}

void SkyPolylines::load(const std::string& path) {
  clear();
  const MappedFile file(path);
  const std::span<const uint8_t> bytes = file.bytes();
  const size_t count = bytes.size() / kRecordBytes;
  ra_.resize(count), dec_.resize(count), pen_.resize(count);
  ux_.reserve(count), uy_.reserve(count), uz_.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* record = &bytes[i * kRecordBytes];
    pen_[i] = record[0];
    std::memcpy(&ra_[i], record + 1, 8);
    std::memcpy(&dec_[i], record + 9, 8);
    addVector(ra_[i], dec_[i]);
  }
}

void SkyPolylines::projectAll(iTransformer& transformer, int32_t* x, int32_t* y, double* depth) const {
  transformer.projectManyVectors(ux_.data(), uy_.data(), uz_.data(), 0, count(), x, y, depth);
}

}  // namespace celvaro
