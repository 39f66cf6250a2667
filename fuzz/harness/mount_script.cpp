#include "mount_script.h"

#include <algorithm>
#include <cstring>

#include "telescope/pipe_frame.h"

namespace celvaro::fuzz {
namespace {

// The values the user interface hands over with a command: a target and a
// reference point near the meridian at mid-northern latitude.
SharedTelescopeValues sharedValues() {
  SharedTelescopeValues shared;
  shared.gotoRaRad = 1.6, shared.gotoDecRad = 0.35;
  shared.latitudeDeg = 47.5, shared.longitudeDeg = 19.0;
  shared.referenceRaRad = 1.5, shared.referenceDecRad = 0.4;
  return shared;
}

bool hasLengthByte(MountStep step) { return step == kStepCommand || step == kStepReceive; }

size_t lengthLimit(MountStep step) { return step == kStepCommand ? kMaxFramePayload + 1 : 256; }

}  // namespace

void WireSender::sendText(const char* text) { wire.append(text, strnlen(text, 30)); }

void WireSender::sendBytes(const uint8_t* bytes, int count) {
  wire.append(reinterpret_cast<const char*>(bytes), static_cast<size_t>(std::max(count, 0)));
}

MountUnderTest::MountUnderTest(int mountType)
    : protocol_(createMountProtocol(mountType, {sender_, listener_, clock_}, 0)) {}

void MountUnderTest::step(MountStep step, std::string_view operand) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(operand.data());
  const int length = static_cast<int>(operand.size());
  const int argument = operand.empty() ? 0 : bytes[0];
  switch (step) {
    case kStepConnect: protocol_->connect(); break;
    case kStepCommand: protocol_->command(bytes, length, sharedValues()); break;
    case kStepTick: protocol_->tick(); break;
    case kStepReceive: protocol_->receive(bytes, length); break;
    case kStepGuideMove: protocol_->guideMove(argument % 4); break;
    case kStepGuideStop: protocol_->guideStop(argument % 6); break;
    case kStepCount: break;
  }
}

std::string MountUnderTest::takeSent() {
  std::string sent;
  sent.swap(sender_.wire);
  return sent;
}

void runMountScript(int mountType, std::string_view script) {
  MountUnderTest mount(mountType);
  while (!script.empty()) {
    const auto step = static_cast<MountStep>(static_cast<uint8_t>(script[0]) % kStepCount);
    script.remove_prefix(1);
    size_t length = step == kStepGuideMove || step == kStepGuideStop ? 1 : 0;
    if (hasLengthByte(step) && !script.empty()) {
      length = static_cast<uint8_t>(script[0]) % lengthLimit(step);
      script.remove_prefix(1);
    }
    const std::string_view operand = script.substr(0, length);
    script.remove_prefix(operand.size());
    mount.step(step, operand);
    mount.takeSent();
  }
}

void appendStep(std::string& script, MountStep step, std::string_view operand) {
  script += static_cast<char>(step);
  if (hasLengthByte(step)) script += static_cast<char>(operand.size());
  script += operand;
}

}  // namespace celvaro::fuzz
