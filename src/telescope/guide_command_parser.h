// The guide commands an external autoguider program sends on the guider
// port, a small LX200 subset: ":Mw#" ... ":Ms#" move, ":Qw#" ... ":Q#" stop,
// ":GR#", ":GS#", ":GD#" position inquiries answered with zeros. Outside a
// command the acknowledge byte 0x06, with which LX200 clients probe a
// mount, is answered "P": a polar-aligned mount.
#pragma once

#include <cstdint>

namespace celvaro {

class GuideCommandParser {
 public:
  static constexpr int kBufferBytes = 50;

  struct Result {
    int event = 0;                // guide event 1..7, 0 none
    const char* reply = nullptr;  // the text to answer with, or none
  };

  // One received byte; a finished command gives its event or reply.
  Result add(uint8_t byte);
  void reset() { count_ = 0; }

 private:
  Result evaluate() const;

  char buffer_[kBufferBytes] = {};
  int count_ = 0;  // 0: waiting for ':'
};

}  // namespace celvaro
