// The command pipe's frame assembler fed the input as the command thread
// reads the pipe. Every frame it completes must be the header and the bytes
// that followed it (max(n, 1) of them), and a serial-data, guide-event or
// heartbeat frame must be what the controller's writers make of its payload.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "telescope/pipe_frame.h"

using namespace celvaro;

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

// What the controller's writers make of a frame's kind and payload; empty
// for the kinds they do not write from bytes alone.
std::string writtenFrame(const FrameAssembler& frame) {
  const int n = frame.payloadLength();
  switch (frame.kind()) {
    case kHeartbeatFrame: return n == 0 && frame.payload()[0] == 0 ? heartbeatFrame() : "";
    case kSerialDataFrame: return n > 0 ? serialDataFrames(frame.payload(), static_cast<size_t>(n)) : "";
    case kGuiderEventFrame: {
      const int pulseMs = guiderEventPulse(frame.payload(), n);
      if (n == 1 || (n == 3 && pulseMs > 0)) return guiderEventFrame(frame.payload()[0], pulseMs);
      return "";
    }
    default: return "";
  }
}

void checkFrame(const FrameAssembler& frame, const std::string& raw) {
  const auto header = static_cast<uint8_t>(raw[0]);
  const int n = frame.payloadLength();
  require(frame.kind() == ((header >> 5) & 3) && n == (header & 0x1F));
  require(raw.size() == static_cast<size_t>(std::max(n, 1)) + 1);
  require(std::memcmp(frame.payload(), raw.data() + 1, raw.size() - 1) == 0);
  const std::string written = writtenFrame(frame);
  require(written.empty() || written == raw);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FrameAssembler frames;
  std::string raw;  // the frame being gathered, as it came
  for (size_t i = 0; i < size; ++i) {
    if (!raw.empty() || (data[i] & 0x80)) raw += static_cast<char>(data[i]);
    if (!frames.add(data[i])) continue;
    checkFrame(frames, raw);
    raw.clear();
  }
  return 0;
}
