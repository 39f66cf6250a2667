// What a mount protocol may put on the mount port: control lines, texts,
// single bytes, byte runs and the two forms of motor-controller command.
#pragma once

#include <cstdint>
#include <string>

namespace celvaro {

class iTelescopeBasicCommandSender {
 public:
  virtual ~iTelescopeBasicCommandSender() = default;
  // State 0..3: bit 0 DTR, bit 1 RTS; other values do nothing.
  virtual void setControlLines(int state) = 0;
  // The bytes of a zero-terminated text, at most 30.
  virtual void sendText(const char* text) = 0;
  virtual void sendByte(uint8_t byte) = 0;
  virtual void sendBytes(const uint8_t* bytes, int count) = 0;
  // ':' c1 c2 [c3 [c4]] CR; c3 and c4 are left out when 0.
  virtual void sendMotorCommand(char c1, char c2, char c3 = 0, char c4 = 0) = 0;
  // ':' command axis-digit six-hex-digits CR; nothing for an axis other than 1 or 2.
  virtual void sendMotorValue(int axis, char command, uint32_t value) = 0;
};

// The bytes of the two motor-controller forms, shared by the sender, the
// protocols' tests and the mount simulator.
std::string motorCommandBytes(char c1, char c2, char c3 = 0, char c4 = 0);
// Six upper-case hex digits of the low 24 bits, low byte first, each byte
// high nibble first (0x123456 gives "563412"); "" for an axis other than 1, 2.
std::string motorValueBytes(int axis, char command, uint32_t value);
// The 24-bit value of six such digits; false, with `value` untouched, when
// there are fewer than six or one is not an upper-case hex digit.
bool readMotorValue(const char* digits, int available, uint32_t& value);

}  // namespace celvaro
