// The frames of the controller's command pipe. Every request from the user
// interface, every heartbeat, every run of bytes from the mount and every
// guide command travels as one frame, so the command thread alone touches
// the protocol state.
//
//   byte 0   header: bit 7 set; bits 5-6 the kind; bits 0-4 the payload length n
//   1..n     payload
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace celvaro {

enum FrameKind : int { kCommandFrame = 0, kHeartbeatFrame = 1, kSerialDataFrame = 2, kGuiderEventFrame = 3 };

constexpr int kMaxFramePayload = 31;

// A command frame: the command code and its argument bytes.
std::string commandFrame(std::initializer_list<uint8_t> payload);
// The heartbeat: its header and one filler byte that completes the frame.
std::string heartbeatFrame();
// Received bytes in frames of at most 31 bytes each.
std::string serialDataFrames(const uint8_t* bytes, size_t count);
// A guide event 1..7; a move that ends by itself carries its length in
// milliseconds (1..65535) as two more bytes, low byte first.
std::string guiderEventFrame(uint8_t event, int pulseMs = 0);
// The pulse length a guide-event frame's payload carries; 0 for none.
int guiderEventPulse(const uint8_t* payload, int length);

// Gathers frames from the pipe's bytes: a byte with bit 7 clear outside a
// frame is skipped (which is how a reader resynchronises); a header takes
// the next max(n, 1) bytes.
class FrameAssembler {
 public:
  // True when the byte completes a frame; the frame is then at frame().
  bool add(uint8_t byte);
  int kind() const { return (buffer_[0] >> 5) & 3; }
  int payloadLength() const { return buffer_[0] & 0x1F; }
  const uint8_t* payload() const { return buffer_ + 1; }

 private:
  uint8_t buffer_[kMaxFramePayload + 1] = {};
  int held_ = 0;
  int length_ = 0;
};

}  // namespace celvaro
