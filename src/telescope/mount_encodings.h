// Encodings several mount types share: 16-bit turn fractions (the Nexstar
// types) and the 3-digit axis status (the motor controllers).
#pragma once

#include <cstdint>

#include "telescope/reply_buffer.h"

namespace celvaro {

// An angle as the nearest whole number of 1/65536 turns. Angles below 0 or
// from a whole turn on wrap round the circle, so a southern declination
// keeps its place instead of being pinned to 0.
uint16_t turnFraction(double angleRad);
// The same in single precision with pi taken as 3.1415927.
uint16_t turnFractionSingle(double angleRad);

// A turn fraction as an angle in [0, 2 pi).
double angleOfTurnFraction(uint16_t value);
// A turn fraction as a declination: past half a turn it counts below 0.
double declinationOfTurnFraction(uint16_t value);

// The three characters after a motor-controller reply's marker as a number
// 0..999; -1 when any of them is not a digit.
int readAxisStatus(const ReplyBuffer& reply);

}  // namespace celvaro
