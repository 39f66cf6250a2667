#include "telescope/basic_command_sender.h"

namespace celvaro {
namespace {

constexpr char kCarriageReturn = '\r';
constexpr char kHexDigits[] = "0123456789ABCDEF";

// The byte `index` (0 lowest) of a value as two digits, high nibble first.
void appendByte(std::string& text, uint32_t value, int index) {
  const uint32_t byte = (value >> (8 * index)) & 0xFF;
  text += kHexDigits[byte >> 4];
  text += kHexDigits[byte & 0x0F];
}

uint32_t digitValue(char digit) {
  const int d = digit > '9' ? digit - 7 - '0' : digit - '0';
  return static_cast<uint32_t>(d);
}

}  // namespace

std::string motorCommandBytes(char c1, char c2, char c3, char c4) {
  std::string bytes{':', c1, c2};
  if (c3 != 0) bytes += c3;
  if (c4 != 0) bytes += c4;
  bytes += kCarriageReturn;
  return bytes;
}

std::string motorValueBytes(int axis, char command, uint32_t value) {
  if (axis != 1 && axis != 2) return "";
  std::string bytes{':', command, static_cast<char>('0' + axis)};
  for (int index = 0; index < 3; ++index) appendByte(bytes, value, index);
  bytes += kCarriageReturn;
  return bytes;
}

bool readMotorValue(const char* digits, int available, uint32_t& value) {
  if (available < 6) return false;
  value = 0;
  for (int index = 0; index < 3; ++index) {
    const uint32_t byte = (digitValue(digits[2 * index]) << 4) + digitValue(digits[2 * index + 1]);
    value += byte << (8 * index);
  }
  value &= 0xFFFFFF;
  return true;
}

}  // namespace celvaro
