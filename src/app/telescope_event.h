// A telescope event on its way to the user-interface thread: twelve 32-bit
// words. The model queues them in order; a mount message carries its text
// beside the record.
#pragma once

#include <cstdint>

namespace celvaro {

struct TelescopeEvent {
  enum Kind : int32_t { kNone = 0, kLinkStatus = 1, kMountPosition = 2, kDslrStatus = 3, kMountMessage = 4 };

  int32_t kind = kNone;
  int32_t linkStatus = 0;
  double raRad = 0, decRad = 0;
  int32_t rawA = 0, rawB = 0;
  int32_t dslr[4] = {};  // state, frames left, exposure left, pause left
};
static_assert(sizeof(TelescopeEvent) == 12 * 4, "twelve 32-bit words");

// Codes of the user message and what each carries.
enum UserMessageCode : int {
  kTelescopeEventPending = 1000,  // parameter 0; the events queued in the model
  kSpiralSearchOffset = 1001,     // ((y + 32767) << 16) | (x + 32767)
  kGuiderPortStatus = 1002,       // the status code
  kGuiderMovement = 1003,         // (dy << 16) | (dx & 0xFFFF)
};

}  // namespace celvaro
