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

// The value of an upper-case hex digit; false for any other character.
bool digitValue(char digit, uint32_t& value) {
  if (digit >= '0' && digit <= '9') value = static_cast<uint32_t>(digit - '0');
  else if (digit >= 'A' && digit <= 'F') value = static_cast<uint32_t>(digit - 'A' + 10);
  else return false;
  return true;
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

// Digit pairs low byte first, each pair high nibble first.
bool readMotorValue(const char* digits, int available, uint32_t& value) {
  if (available < 6) return false;
  uint32_t read = 0;
  for (int index = 0; index < 6; ++index) {
    uint32_t nibble = 0;
    if (!digitValue(digits[index], nibble)) return false;
    read |= nibble << (8 * (index / 2) + (index % 2 == 0 ? 4 : 0));
  }
  value = read;
  return true;
}

}  // namespace celvaro
