// The guide commands an external autoguider program sends on the guider
// port, a small LX200 subset: ":Mw#" ... ":Ms#" move, ":Mgn0500#" ...
// ":Mgw0500#" move for that many milliseconds, ":Qw#" ... ":Q#" stop, and
// the queries a guiding client asks (position, site, clock), answered from
// the guider's replies. Outside a command the acknowledge byte 0x06, with
// which LX200 clients probe a mount, is answered "P": a polar-aligned mount.
#pragma once

#include <cstdint>
#include <string>

#include "telescope/guider_replies.h"

namespace celvaro {

class GuideCommandParser {
 public:
  static constexpr int kBufferBytes = 50;

  struct Result {
    int event = 0;       // guide event 1..7, 0 none
    int pulseMs = 0;     // a move event that ends by itself after this long; 0: it lasts
    std::string reply{};  // the text to answer with, or none
  };

  explicit GuideCommandParser(const GuiderReplies& replies) : replies_(replies) {}

  // One received byte; a finished command gives its event or reply.
  Result add(uint8_t byte);
  void reset() { count_ = 0; }

 private:
  Result evaluate() const;
  Result pulse() const;

  const GuiderReplies& replies_;
  char buffer_[kBufferBytes] = {};
  int count_ = 0;  // 0: waiting for ':'
};

}  // namespace celvaro
