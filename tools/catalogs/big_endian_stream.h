// Big-endian values and strings of a Qt data stream or a .qm file, as the
// Stellarium sources are written. A read past the end marks the stream
// failed and yields zeros.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace celvaro {

class BigEndianStream {
 public:
  explicit BigEndianStream(std::string_view bytes) : bytes_(bytes) {}

  bool atEnd() const { return failed_ || at_ >= bytes_.size(); }
  bool failed() const { return failed_; }

  uint8_t u8() { return take(1) ? static_cast<uint8_t>(bytes_[at_++]) : 0; }
  uint16_t u16() { return static_cast<uint16_t>((u8() << 8) | u8()); }
  uint32_t u32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | u8();
    return v;
  }
  double f64() {
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits = (bits << 8) | u8();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
  }
  std::string_view bytes(size_t n) {
    if (!take(n)) return {};
    const std::string_view out = bytes_.substr(at_, n);
    at_ += n;
    return out;
  }
  // A 32-bit byte length (all ones: a null string) and UTF-16 big-endian text.
  std::u16string utf16Text() {
    const uint32_t length = u32();
    if (length == 0xFFFFFFFF) return {};
    const std::string_view raw = bytes(length);
    std::u16string text;
    for (size_t i = 0; i + 1 < raw.size(); i += 2) {
      text += static_cast<char16_t>((static_cast<uint8_t>(raw[i]) << 8) | static_cast<uint8_t>(raw[i + 1]));
    }
    return text;
  }

 private:
  bool take(size_t n) {
    failed_ = failed_ || bytes_.size() - at_ < n;
    return !failed_;
  }

  std::string_view bytes_;
  size_t at_ = 0;
  bool failed_ = false;
};

}  // namespace celvaro
