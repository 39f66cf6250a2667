#include "telescope/guide_command_parser.h"

#include <string_view>

namespace celvaro {
namespace {

constexpr uint8_t kAcknowledge = 0x06;
constexpr int kStopAll = 7;
// ":Mg", the direction and one to four digits of milliseconds.
constexpr int kPulseDigitsAt = 4;
constexpr int kMostPulseDigits = 4;

int moveEvent(char direction) {
  switch (direction) {
    case 'w': return 1;
    case 'e': return 2;
    case 'n': return 3;
    case 's': return 4;
    default: return kStopAll;  // an unknown move stops all guiding
  }
}

int stopEvent(char axis) {
  if (axis == 'w' || axis == 'e') return 5;
  if (axis == 'n' || axis == 's') return 6;
  return 0;
}

}  // namespace

GuideCommandParser::Result GuideCommandParser::add(uint8_t byte) {
  if (count_ == 0) {
    if (byte == ':') buffer_[count_++] = ':';
    return {0, 0, byte == kAcknowledge ? "P" : ""};
  }
  if (byte != '#') {
    if (count_ < kBufferBytes) buffer_[count_++] = static_cast<char>(byte);
    return {};
  }
  Result result = evaluate();
  count_ = 0;
  return result;
}

GuideCommandParser::Result GuideCommandParser::evaluate() const {
  if (count_ < 2) return {};
  const char c1 = buffer_[1], c2 = count_ > 2 ? buffer_[2] : '\0';
  if ((c1 == 'Q' || c1 == 'q') && count_ == 2) return {kStopAll};
  switch (c1) {
    case 'M': case 'm': return c2 == 'g' ? pulse() : Result{moveEvent(c2)};
    case 'Q': case 'q': return {stopEvent(c2)};
    case 'G': case 'g': return {0, 0, replies_.reply(std::string_view(buffer_ + 1, count_ - 1))};
    default: return {};
  }
}

// A timed move; one that does not read as such stops all guiding, as any
// move that is not understood, and one of no length does nothing.
GuideCommandParser::Result GuideCommandParser::pulse() const {
  const int digits = count_ - kPulseDigitsAt;
  if (digits < 1 || digits > kMostPulseDigits) return {kStopAll};
  int milliseconds = 0;
  for (int i = kPulseDigitsAt; i < count_; ++i) {
    if (buffer_[i] < '0' || buffer_[i] > '9') return {kStopAll};
    milliseconds = milliseconds * 10 + (buffer_[i] - '0');
  }
  const int event = moveEvent(buffer_[3]);
  if (event == kStopAll) return {kStopAll};
  return milliseconds > 0 ? Result{event, milliseconds} : Result{};
}

}  // namespace celvaro
