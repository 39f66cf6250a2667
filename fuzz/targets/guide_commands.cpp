// The guider port: every byte through the guide command parser, as the
// port's reader hands them on. A finished command's event, with the length
// of a timed move, travels to the command thread as a guide-event frame,
// which must come out of the frame assembler as it went in; its reply goes
// back on the port as a text. The command thread acts only on events 1..7,
// so the parser must give no other, and a timed move lasts 1..9999 ms.
#include <cstdlib>
#include <string>

#include "telescope/guide_command_parser.h"
#include "telescope/guider_replies.h"
#include "telescope/pipe_frame.h"

using namespace celvaro;

namespace {

constexpr int kLastEvent = 7;
constexpr int kLongestPulse = 9999;
constexpr size_t kLongestReply = 16;

void require(bool condition) {
  if (!condition) std::abort();
}

// The event's frame through the assembler that reads the pipe.
void passEvent(FrameAssembler& frames, int event, int pulseMs) {
  require(event >= 1 && event <= kLastEvent && pulseMs >= 0 && pulseMs <= kLongestPulse);
  const std::string frame = guiderEventFrame(static_cast<uint8_t>(event), pulseMs);
  for (size_t i = 0; i + 1 < frame.size(); ++i) require(!frames.add(static_cast<uint8_t>(frame[i])));
  require(frames.add(static_cast<uint8_t>(frame.back())));
  require(frames.kind() == kGuiderEventFrame && frames.payload()[0] == event);
  require(guiderEventPulse(frames.payload(), frames.payloadLength()) == pulseMs);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  GuiderReplies replies;
  GuideCommandParser parser(replies);
  FrameAssembler frames;
  for (size_t i = 0; i < size; ++i) {
    const GuideCommandParser::Result result = parser.add(data[i]);
    if (result.event != 0) passEvent(frames, result.event, result.pulseMs);
    require(result.reply.size() < kLongestReply);
  }
  return 0;
}
