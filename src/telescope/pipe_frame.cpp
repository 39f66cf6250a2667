#include "telescope/pipe_frame.h"

#include <algorithm>

namespace celvaro {
namespace {

std::string frame(int kind, const uint8_t* payload, size_t length) {
  std::string out(1, static_cast<char>(0x80 | (kind << 5) | static_cast<int>(length)));
  out.append(reinterpret_cast<const char*>(payload), length);
  return out;
}

}  // namespace

std::string commandFrame(std::initializer_list<uint8_t> payload) {
  return frame(kCommandFrame, payload.begin(), std::min<size_t>(payload.size(), kMaxFramePayload));
}

std::string heartbeatFrame() { return std::string("\xA0\x00", 2); }

std::string serialDataFrames(const uint8_t* bytes, size_t count) {
  std::string out;
  for (size_t done = 0; done < count; done += kMaxFramePayload) {
    out += frame(kSerialDataFrame, bytes + done, std::min<size_t>(count - done, kMaxFramePayload));
  }
  return out;
}

std::string guiderEventFrame(uint8_t event, int pulseMs) {
  if (pulseMs <= 0 || pulseMs > 0xFFFF) return frame(kGuiderEventFrame, &event, 1);
  const uint8_t payload[3] = {event, static_cast<uint8_t>(pulseMs & 0xFF), static_cast<uint8_t>(pulseMs >> 8)};
  return frame(kGuiderEventFrame, payload, sizeof payload);
}

int guiderEventPulse(const uint8_t* payload, int length) { return length >= 3 ? payload[1] | payload[2] << 8 : 0; }

bool FrameAssembler::add(uint8_t byte) {
  if (held_ == 0) {
    if (!(byte & 0x80)) return false;
    buffer_[0] = byte;
    held_ = 1;
    length_ = std::max(byte & 0x1F, 1) + 1;
    return false;
  }
  buffer_[held_++] = byte;
  if (held_ < length_) return false;
  held_ = 0;
  return true;
}

}  // namespace celvaro
