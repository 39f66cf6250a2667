#include "catalog/star_buffer.h"

#include <algorithm>

namespace celvaro {

namespace {

template <typename T>
void resizeExactly(std::vector<T>& column, int size) {
  column.resize(static_cast<size_t>(size));
  column.shrink_to_fit();
}

}  // namespace

StarBuffer::StarBuffer() {
  heads_.fill(-1);
  setCapacity(kInitialCapacity);
}

void StarBuffer::setCapacity(int capacity) {
  resizeExactly(identifier_, capacity);
  resizeExactly(magnitude_, capacity);
  resizeExactly(ra_, capacity);
  resizeExactly(dec_, capacity);
  resizeExactly(x_, capacity);
  resizeExactly(y_, capacity);
  resizeExactly(colour_, capacity);
  resizeExactly(next_, capacity);
  capacity_ = capacity;
}

void StarBuffer::reset() {
  count_ = 0;
  bandsBuilt_ = false;
  heads_.fill(-1);
  if (capacity_ > kKeptCapacity) setCapacity(kKeptCapacity);
}

void StarBuffer::add(int32_t x, int32_t y, int16_t magHundredths, double raRad, double decRad,
                     uint32_t identifier, uint8_t colourClass) {
  if (count_ == capacity_) setCapacity(capacity_ + std::max(capacity_ / 4, kMinGrowth));
  const int i = count_++;
  x_[i] = x, y_[i] = y;
  magnitude_[i] = magHundredths;
  ra_[i] = raRad, dec_[i] = decRad;
  identifier_[i] = identifier;
  colour_[i] = colourClass;
  bandsBuilt_ = false;
}

int StarBuffer::bandOf(int16_t magHundredths) { return std::clamp((magHundredths + 99) / 100, 0, kBands - 1); }

void StarBuffer::buildBands() {
  std::array<int32_t, kBands> tails;
  heads_.fill(-1);
  tails.fill(-1);
  for (int i = 0; i < count_; ++i) {
    const int band = bandOf(magnitude_[i]);
    next_[i] = -1;
    if (tails[band] < 0) heads_[band] = i;
    else next_[tails[band]] = i;
    tails[band] = i;
  }
  bandsBuilt_ = true;
}

bool StarBuffer::position(int index, StarPosition& out) const {
  if (!contains(index)) return false;
  out = {index, ra_[index], dec_[index]};
  return true;
}

}  // namespace celvaro
