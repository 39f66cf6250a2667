#include "telescope/mount_encodings.h"

#include <cmath>
#include <numbers>

namespace celvaro {
namespace {

constexpr double kRadPerTurnFraction = std::numbers::pi / 32768.0;

uint16_t wrapTurn(long value) { return static_cast<uint16_t>(value & 0xFFFF); }

bool isDigit(uint8_t c) { return c >= '0' && c <= '9'; }

}  // namespace

uint16_t turnFraction(double angleRad) {
  return wrapTurn(std::lround(angleRad * 32768.0 / std::numbers::pi));
}

uint16_t turnFractionSingle(double angleRad) {
  const float angle = static_cast<float>(angleRad);
  return wrapTurn(std::lround(angle * 32768.0f / 3.1415927f));
}

double angleOfTurnFraction(uint16_t value) { return value * kRadPerTurnFraction; }

double declinationOfTurnFraction(uint16_t value) { return static_cast<int16_t>(value) * kRadPerTurnFraction; }

int readAxisStatus(const ReplyBuffer& reply) {
  int status = 0;
  for (int i = 1; i <= 3; ++i) {
    if (!isDigit(reply.at(i))) return -1;
    status = status * 10 + (reply.at(i) - '0');
  }
  return status;
}

}  // namespace celvaro
