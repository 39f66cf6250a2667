#include "telescope/guide_command_parser.h"

namespace celvaro {
namespace {

constexpr uint8_t kAcknowledge = 0x06;

int moveEvent(char direction) {
  switch (direction) {
    case 'w': return 1;
    case 'e': return 2;
    case 'n': return 3;
    case 's': return 4;
    default: return 7;  // an unknown move stops all guiding
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
    return {0, byte == kAcknowledge ? "P" : nullptr};
  }
  if (byte != '#') {
    if (count_ < kBufferBytes) buffer_[count_++] = static_cast<char>(byte);
    return {};
  }
  const Result result = evaluate();
  count_ = 0;
  return result;
}

GuideCommandParser::Result GuideCommandParser::evaluate() const {
  if (count_ < 2) return {};
  const char c1 = buffer_[1], c2 = count_ > 2 ? buffer_[2] : '\0';
  if ((c1 == 'Q' || c1 == 'q') && count_ == 2) return {7, nullptr};
  switch (c1) {
    case 'M': case 'm': return {moveEvent(c2), nullptr};
    case 'Q': case 'q': return {stopEvent(c2), nullptr};
    case 'G': case 'g':
      if (c2 == 'R' || c2 == 'S') return {0, "00:00:00#"};
      if (c2 == 'D') return {0, "+00*00'00#"};
      return {};
    default: return {};
  }
}

}  // namespace celvaro
