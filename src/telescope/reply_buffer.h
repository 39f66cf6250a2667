// The bytes of one reply from a mount, held in a fixed 50-byte buffer that
// is never written past.
#pragma once

#include <array>
#include <cstdint>

namespace celvaro {

class ReplyBuffer {
 public:
  static constexpr int kCapacity = 50;

  void clear() {
    size_ = 0;
    overflowed_ = false;
  }
  // Keeps the byte while there is room; a byte beyond marks the reply as
  // overflowed and is dropped.
  void append(uint8_t byte) {
    if (size_ < kCapacity) bytes_[size_++] = byte;
    else overflowed_ = true;
  }
  // Collects a line up to and including `terminator`: true once a whole line
  // of at most kCapacity bytes is held; a longer line is dropped at its end.
  // The caller clears the buffer after using the line.
  bool collectLine(uint8_t byte, uint8_t terminator) {
    append(byte);
    if (byte != terminator) return false;
    if (!overflowed_) return true;
    clear();
    return false;
  }

  int size() const { return size_; }
  bool full() const { return size_ == kCapacity; }
  // Byte `index`, or 0 outside the bytes held.
  uint8_t at(int index) const { return index >= 0 && index < size_ ? bytes_[index] : 0; }
  const char* text() const { return reinterpret_cast<const char*>(bytes_.data()); }

 private:
  std::array<uint8_t, kCapacity> bytes_{};
  int size_ = 0;
  bool overflowed_ = false;
};

}  // namespace celvaro
